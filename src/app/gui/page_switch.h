#pragma once

namespace orvanix {

class MainWindow;

// What happens whenever page `page` of the tab control `高级选择夹1` becomes the
// current page: the page index is saved under 全局/选择夹, status part 5 shows
// the page's description, page 0 starts the site-list loader and page 4 loads
// the feedback page. Runs on the thread of its caller: the GUI thread, or a
// worker (the start-up restore), whose widget requests then go through callOnGui.
void handlePageSwitch(MainWindow& window, int page);

}  // namespace orvanix
