#pragma once

namespace orvanix {

class MainWindow;
struct ProcessState;

// The start-up restore: under the start-up lock, sets the db directory, puts
// the stored keywords, combo selections and tab page back into the window,
// runs the page-switch handling for the current page, then shows the tray icon
// and the window. Runs on a worker thread; every widget request goes to the GUI
// thread, and no restored selection writes to the settings file.
void runStartupRestore(MainWindow& window, ProcessState& state);

// Runs the start-up restore on a detached thread of its own. Returns false
// when the thread could not be started.
bool startStartupRestore(MainWindow& window, ProcessState& state);

// The selection a combo with `count` items gets for a stored index: the last
// item for an index past the end, none (-1) for an index below 0.
int restoredComboIndex(int stored, int count);

}  // namespace orvanix
