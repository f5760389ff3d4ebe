#pragma once

#include <string_view>

// Texts that the searches show, as GBK bytes.
namespace orvanix::search_text {

inline constexpr std::string_view kSearching =
    "\xD5\xFD\xD4\xDA\xCB\xD1\xCB\xF7\xD6\xD0\xA1\xA3\xA1\xA3\xA1\xA3\xA1\xA3";  // 正在搜索中。。。。
inline constexpr std::string_view kFinished = "\xCB\xD1\xCB\xF7\xCD\xEA\xB3\xC9";  // 搜索完成
inline constexpr std::string_view kStopped =
    "\xCB\xD1\xCB\xF7\xD2\xD1\xCD\xA3\xD6\xB9";                            // 搜索已停止
inline constexpr std::string_view kNotGiven = "\xCE\xB4\xCC\xE1\xB9\xA9";  // 未提供

}  // namespace orvanix::search_text
