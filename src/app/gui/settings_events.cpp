#include <QComboBox>
#include <QLineEdit>
#include <QTabWidget>

#include "app/gui/event_map.h"
#include "app/gui/main_window.h"
#include "app/gui/page_switch.h"
#include "app/settings.h"
#include "sites/gui/gbk_text.h"

namespace orvanix {

// Every remembered control writes its value the moment it changes. A combo
// writes only when the user picks an item (activated): a selection the program
// makes, as at start-up, writes nothing.
void attachSettings(MainWindow& window, ProcessState&) {
    for (const ControlSetting& entry : kKeywordSettings) {
        auto* box = window.control<QLineEdit>(QString::fromUtf8(entry.control));
        const SettingKey setting = entry.setting;
        QObject::connect(box, &QLineEdit::textChanged, box,
                         [setting](const QString& text) { writeSetting(setting, toGbk(text)); });
    }
    for (const ControlSetting& entry : kComboSettings) {
        auto* combo = window.control<QComboBox>(QString::fromUtf8(entry.control));
        const SettingKey setting = entry.setting;
        QObject::connect(combo, &QComboBox::activated, combo,
                         [setting](int index) { writeSettingIndex(setting, index); });
    }
    QObject::connect(&window.tabs(), &QTabWidget::currentChanged, &window,
                     [&window](int page) { handlePageSwitch(window, page); });
}

}  // namespace orvanix
