#include "search/gui/magnet_tab.h"

#include <QAction>

#include "app/gui/main_window.h"
#include "search/gui/search_control.h"
#include "search/gui/search_tabs.h"
#include "search/magnet_search.h"

namespace orvanix {

namespace {

QString u(const char* text) {
    return QString::fromUtf8(text);
}

// Connects one item of the menu to an action; an item the menu lacks is skipped.
template <typename Action>
void onItem(MainWindow& window, const char* item, Action action) {
    if (QAction* found = window.menuAction(u("磁链超级列表框"), u(item))) {
        QObject::connect(found, &QAction::triggered, &window, action);
    }
}

}  // namespace

std::unique_ptr<SearchEngine> makeMagnetSearch(const Endpoints& table) {
    return std::make_unique<MagnetSearch>(table.host(Endpoint::magnetBt),
                                          table.host(Endpoint::magnetDht));
}

QString netdiskHomeAddress(const Endpoints& table) {
    return u("http://") + QString::fromStdString(table.host(Endpoint::netdisk)) + u("/");
}

void attachMagnet(MainWindow& window) {
    if (SearchControl* control = SearchControl::of(window)) {
        control->setEngine(kMagnetTab, [] { return makeMagnetSearch(endpoints()); });
    }

    ReportList& list = window.reportList(u(kSearchTabControls[kMagnetTab].resultList));
    // The "磁链" cell of the selected row, read when an item is chosen; empty
    // without a selection.
    auto selectedLink = [&list] { return list.rows().cell(list.currentRow(), kMagnetLink); };

    // Only a magnet link goes to the desktop's magnet handler; an empty cell or a
    // cut that lost its link never does.
    onItem(window, "下载文件(必需安装迅雷或其它magnet工具)", [&window, selectedLink] {
        const QString link = selectedLink();
        if (link.startsWith(u("magnet:"), Qt::CaseSensitive)) window.shell().open(link);
    });
    onItem(window, "复制链接",
           [&window, selectedLink] { window.shell().setClipboardText(selectedLink()); });
    onItem(window, "在线观看|复制链接并打开百度网盘离线下载后可在线观看", [&window, selectedLink] {
        window.shell().setClipboardText(selectedLink());
        window.shell().open(netdiskHomeAddress(endpoints()));
    });
    onItem(window, "全部清空", [&window, &list] {
        list.rows().clear();
        window.statusBar().setPart(kRowCountPart, QStringLiteral("0"));
    });
}

}  // namespace orvanix
