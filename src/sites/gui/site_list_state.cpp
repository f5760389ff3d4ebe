#include "sites/gui/site_list_state.h"

#include "app/gui/main_window.h"

namespace orvanix {

SiteListState::SiteListState(QObject* parent)
    : QObject(parent), messages_(std::make_unique<MessageBoxes>()) {
    setObjectName(QStringLiteral("siteListState"));
}

bool SiteListState::takeLoad(std::uint64_t number) {
    if (number <= appliedLoad_) return false;
    appliedLoad_ = number;
    return true;
}

SiteListState& siteListState(MainWindow& window) {
    auto* state = window.findChild<SiteListState*>(QStringLiteral("siteListState"),
                                                   Qt::FindDirectChildrenOnly);
    if (!state) state = new SiteListState(&window);
    return *state;
}

}  // namespace orvanix
