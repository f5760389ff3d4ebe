#include <QAction>

#include "app/gui/event_map.h"
#include "app/gui/main_window.h"
#include "search/gui/link_opening.h"
#include "search/gui/magnet_tab.h"
#include "search/gui/search_control.h"
#include "search/netdisk_search.h"
#include "search/search_port.h"
#include "sites/site_table.h"
#include "sites/ticked_sites.h"
#include "web/endpoints.h"

namespace orvanix {

namespace {

QString u(const char* text) {
    return QString::fromUtf8(text);
}

std::unique_ptr<SearchEngine> makeNetdiskSearch() {
    return std::make_unique<NetdiskSearch>(endpointHost(Endpoint::webSearch),
                                           [](const std::vector<std::string>& names) {
                                               return tickedSitePairs(siteTablePath(), names);
                                           });
}

// The menu "超级列表框菜单" of the netdisk result list.
void attachNetdiskMenu(MainWindow& window) {
    const QString menu = u("超级列表框菜单");
    ReportList& list = window.reportList(u(kSearchTabControls[kNetdiskTab].resultList));
    if (QAction* open = window.menuAction(menu, u("打开网盘链接"))) {
        QObject::connect(open, &QAction::triggered, &window, [&window, &list] {
            openCutLink(window, list.rows().cell(list.currentRow(), kNetdiskLink));
        });
    }
    if (QAction* clear = window.menuAction(menu, u("清空所有项目"))) {
        QObject::connect(clear, &QAction::triggered, &window, [&window, &list] {
            list.rows().clear();
            window.statusBar().setPart(kRowCountPart, QStringLiteral("0"));
        });
    }
}

}  // namespace

void attachSearch(MainWindow& window, ProcessState&) {
    auto* control = new SearchControl(window);
    control->setEngine(kNetdiskTab, makeNetdiskSearch);
    attachNetdiskMenu(window);
    attachMagnet(window);
}

}  // namespace orvanix
