#include "app/gui/startup_restore.h"

#include <QComboBox>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QTabWidget>
#include <mutex>
#include <system_error>
#include <thread>

#include "app/gui/gui_call.h"
#include "app/gui/main_window.h"
#include "app/gui/page_switch.h"
#include "app/process_state.h"
#include "app/settings.h"
#include "app/settings_conversion.h"
#include "sites/gui/gbk_text.h"

namespace orvanix {

int restoredComboIndex(int stored, int count) {
    if (stored < 0) return -1;
    return stored < count ? stored : count - 1;
}

void runStartupRestore(MainWindow& window, ProcessState& state) {
    std::lock_guard lock(state.startupLock);
    state.dbDirectory = state.runDirectory + "/db/";

    for (const ControlSetting& box : kKeywordSettings) {
        const QString keyword = fromGbk(readSetting(box.setting));
        callOnGui(&window, [&] {
            window.control<QLineEdit>(QString::fromUtf8(box.control))->setText(keyword);
        });
    }

    for (const ControlSetting& entry : kComboSettings) {
        const int stored = toNumber(readSetting(entry.setting));
        callOnGui(&window, [&] {
            auto* combo = window.control<QComboBox>(QString::fromUtf8(entry.control));
            const QSignalBlocker quiet(combo);
            combo->setCurrentIndex(restoredComboIndex(stored, combo->count()));
        });
    }

    // The tab control keeps its page for an index it does not have; the
    // handling then runs for whichever page is current.
    const int storedPage = toInteger(readSetting(setting::kPage));
    const int page = callOnGui(&window, [&] {
        QTabWidget& tabs = window.tabs();
        const QSignalBlocker quiet(&tabs);
        tabs.setCurrentIndex(storedPage);
        return tabs.currentIndex();
    });
    handlePageSwitch(window, page);

    callOnGui(&window, [&] {
        window.showTrayIcon();
        window.show();
    });
}

bool startStartupRestore(MainWindow& window, ProcessState& state) {
    try {
        std::thread(runStartupRestore, std::ref(window), std::ref(state)).detach();
        return true;
    } catch (const std::system_error&) {
        return false;
    }
}

}  // namespace orvanix
