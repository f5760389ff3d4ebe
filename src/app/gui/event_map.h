#pragma once

namespace orvanix {

class MainWindow;
struct ProcessState;

// Binds the main window's events to their handlers, subsystem by subsystem.
void wireEventMap(MainWindow& window, ProcessState& state);

// Each subsystem binds its own handlers.
void attachSettings(MainWindow& window, ProcessState& state);  // settings writers, page switch
void attachSiteList(MainWindow& window, ProcessState& state);  // page 0's site list and dialog
void attachSearch(MainWindow& window, ProcessState& state);    // search start/stop, result menus

}  // namespace orvanix
