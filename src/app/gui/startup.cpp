#include "app/gui/startup.h"

#include "app/gui/main_window.h"
#include "app/process_state.h"

namespace orvanix {

void runCreatedHandler(MainWindow& window, ProcessState& state) {
    state.settingsPath = state.runDirectory + "/config.ini";
    window.showTrayIcon();
    window.show();
}

void runExitRoutine(ProcessState& state) {
    state.settingsPath.clear();
    state.dbDirectory.clear();
}

}  // namespace orvanix
