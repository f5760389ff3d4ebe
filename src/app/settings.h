#pragma once

#include <string>
#include <string_view>

#include "app/settings_keys.h"

// The settings file config.ini at the process's settings path.
namespace orvanix {

// The stored text of a setting; empty when the file, section or key is missing
// or the settings path is not set yet.
std::string readSetting(SettingKey setting);

// Stores the text of a setting. Returns false when it could not be written;
// callers carry on regardless, and the next run starts from the old value.
bool writeSetting(SettingKey setting, std::string_view value);

// A combo's stored index as decimal text.
bool writeSettingIndex(SettingKey setting, int index);

}  // namespace orvanix
