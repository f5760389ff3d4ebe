#pragma once

#include <cstdint>
#include <string>
#include <vector>

class QListWidget;
class QListWidgetItem;

namespace orvanix {

class MainWindow;

// Starts the site-list loader on a thread of its own: it refills page 0's check
// list 选择列表框_网盘资源 from the site table, one entry per record in table
// order, and ticks the names found in the checked-sites file. Callable from any
// thread. When loads overlap, the one started last decides what the list holds.
void startSiteListLoader(MainWindow& window);

// How many loads have been started so far in this process; loads are numbered
// 1, 2, ... in the order they start.
std::uint64_t siteListLoadsStarted();

// The texts (GBK) of the ticked entries of the check list, in list order.
// GUI thread only.
std::vector<std::string> tickedSiteNames(MainWindow& window);

// Rewrites the checked-sites file from the ticks on screen. GUI thread only.
void writeTickedSites(MainWindow& window);

// The check list of page 0.
QListWidget* siteList(MainWindow& window);

// An entry's text as GBK, exactly as the site table holds it.
std::string siteEntryText(const QListWidgetItem& item);

}  // namespace orvanix
