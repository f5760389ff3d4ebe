#pragma once

namespace orvanix {

class MainWindow;
struct ProcessState;

// Runs once on the GUI thread after the main window and its controls exist:
// settings path, skin, the start-up workers.
void runCreatedHandler(MainWindow& window, ProcessState& state);

// Runs once after the event loop has ended. Running workers are neither stopped
// nor waited for: they end with the process.
void runExitRoutine(ProcessState& state);

}  // namespace orvanix
