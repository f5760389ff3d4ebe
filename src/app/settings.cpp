#include "app/settings.h"

#include "app/ini_file.h"
#include "app/process_state.h"

namespace orvanix {

std::string readSetting(SettingKey setting) {
    return readIniValue(processState().settingsPath, setting.section, setting.key);
}

bool writeSetting(SettingKey setting, std::string_view value) {
    return writeIniValue(processState().settingsPath, setting.section, setting.key, value);
}

bool writeSettingIndex(SettingKey setting, int index) {
    return writeSetting(setting, std::to_string(index));
}

}  // namespace orvanix
