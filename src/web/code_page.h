#pragma once

#include <string>
#include <string_view>

// Conversions between GBK (code page 936), UTF-8 and UTF-16.
//
// All of them stop at the first zero byte or unit of their input, never fail and
// give the empty result for an empty input. A character that GBK cannot hold
// becomes "?"; bytes that are not valid UTF-8 become "?" as well.
namespace orvanix {

// The UTF-16 code units of a GBK text, without a terminating zero unit.
std::u16string gbkToUtf16(std::string_view gbk);

// GBK to UTF-8 bytes; the result holds no zero byte.
std::string gbkToUtf8(std::string_view gbk);

// UTF-8 bytes to GBK text.
std::string utf8ToGbk(std::string_view utf8);

// UTF-16 to GBK text.
std::string utf16ToGbk(std::u16string_view utf16);

// UTF-8 bytes to UTF-16 code units.
std::u16string utf8ToUtf16(std::string_view utf8);

}  // namespace orvanix
