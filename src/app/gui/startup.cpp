#include "app/gui/startup.h"

#include <QComboBox>
#include <QSignalBlocker>

#include "app/gui/main_window.h"
#include "app/gui/startup_restore.h"
#include "app/process_state.h"
#include "app/settings.h"
#include "app/settings_conversion.h"

namespace orvanix {

void runCreatedHandler(MainWindow& window, ProcessState& state) {
    state.settingsPath = state.runDirectory + "/config.ini";

    // The skin index S; skin number S + 1 is what the skin engine applies.
    const int skin = toNumber(readSetting(setting::kSkin));
    auto* skinCombo = window.control<QComboBox>(QStringLiteral("组合框_皮肤"));
    {
        const QSignalBlocker quiet(skinCombo);
        skinCombo->setCurrentIndex(restoredComboIndex(skin, skinCombo->count()));
    }

    // The start-up lock is part of the process state. The restore shows the tray
    // icon and the window; without a thread for it, the window shows now.
    if (!startStartupRestore(window, state)) {
        window.showTrayIcon();
        window.show();
    }
}

void runExitRoutine(ProcessState& state) {
    state.settingsPath.clear();
    state.dbDirectory.clear();
}

}  // namespace orvanix
