#pragma once

#include <string_view>

// The sections and keys of config.ini, as GBK bytes, and the controls whose
// values they keep.
namespace orvanix {

struct SettingKey {
    std::string_view section;
    std::string_view key;
};

namespace setting {

// Sections.
inline constexpr std::string_view kGlobal = "\xC8\xAB\xBE\xD6";  // 全局
inline constexpr std::string_view kNetdisk =
    "Orvan\xCD\xF8\xC5\xCC\xCB\xD1\xCB\xF7";  // Orvan网盘搜索
inline constexpr std::string_view kMagnet = "\xB4\xF3\xC6\xAC\xCB\xD1\xCB\xF7";  // 大片搜索
inline constexpr std::string_view kShare =
    "\xB0\xD9\xB6\xC8\xCD\xF8\xC5\xCC\xCB\xD1\xCB\xF7";            // 百度网盘搜索
inline constexpr std::string_view kShopping = "\xB9\xBA\xCE\xEF";  // 购物

// Keys.
inline constexpr std::string_view kSkinKey = "\xC6\xA4\xB7\xF4";                     // 皮肤
inline constexpr std::string_view kPageKey = "\xD1\xA1\xD4\xF1\xBC\xD0";             // 选择夹
inline constexpr std::string_view kKeywordKey = "\xCB\xD1\xCB\xF7\xC4\xDA\xC8\xDD";  // 搜索内容
inline constexpr std::string_view kCountKey = "\xCB\xD1\xCB\xF7\xCA\xFD\xC1\xBF";    // 搜索数量
inline constexpr std::string_view kModeKey = "\xC4\xA3\xCA\xBD";                     // 模式

inline constexpr SettingKey kSkin{kGlobal, kSkinKey};
inline constexpr SettingKey kPage{kGlobal, kPageKey};

}  // namespace setting

// A control (by its objectName, UTF-8) and the setting that keeps its value.
struct ControlSetting {
    const char* control;
    SettingKey setting;
};

// The four keyword boxes, in the order the start-up restore fills them.
inline constexpr ControlSetting kKeywordSettings[] = {
    {"编辑框_搜索的内容", {setting::kNetdisk, setting::kKeywordKey}},
    {"编辑框_搜索的内容1", {setting::kMagnet, setting::kKeywordKey}},
    {"编辑框_搜索的内容2", {setting::kShare, setting::kKeywordKey}},
    {"编辑框_搜索的内容_购物", {setting::kShopping, setting::kKeywordKey}},
};

// The six count and mode combos, in the order the start-up restore sets them.
inline constexpr ControlSetting kComboSettings[] = {
    {"组合框4", {setting::kNetdisk, setting::kCountKey}},
    {"组合框1", {setting::kMagnet, setting::kCountKey}},
    {"组合框_模式", {setting::kMagnet, setting::kModeKey}},
    {"组合框2", {setting::kShare, setting::kCountKey}},
    {"组合框3", {setting::kShopping, setting::kCountKey}},
    {"组合框_百度云模式", {setting::kShare, setting::kModeKey}},
};

}  // namespace orvanix
