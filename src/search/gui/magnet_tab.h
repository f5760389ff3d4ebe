#pragma once

#include <QString>
#include <memory>

#include "search/search_frame.h"
#include "web/endpoints.h"

namespace orvanix {

class MainWindow;

// A magnet search over the hosts of this endpoint table.
std::unique_ptr<SearchEngine> makeMagnetSearch(const Endpoints& table);

// The address of the Baidu netdisk home page that "在线观看|…" opens.
QString netdiskHomeAddress(const Endpoints& table);

// Tab 1 of the window: its search engine on the window's search control (made by
// attachSearch first) and the actions of its list's menu "磁链超级列表框".
void attachMagnet(MainWindow& window);

}  // namespace orvanix
