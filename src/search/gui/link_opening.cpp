#include "search/gui/link_opening.h"

#include "app/gui/main_window.h"
#include "search/link_guard.h"

namespace orvanix {

bool openCutLink(MainWindow& window, const QString& link) {
    const QByteArray utf8 = link.toUtf8();
    if (!isWebLink(std::string_view(utf8.constData(), static_cast<std::size_t>(utf8.size())))) {
        return false;
    }
    window.shell().open(link);
    return true;
}

}  // namespace orvanix
