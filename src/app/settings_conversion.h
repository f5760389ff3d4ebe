#pragma once

#include <string>
#include <string_view>

// How stored setting texts become numbers.
namespace orvanix {

// `gbk` with every full-width form of an ASCII character (the double-byte
// characters 0xA3A1..0xA3FE) and the full-width space (0xA1A1) replaced by
// the ASCII character. Other bytes stay as they are.
std::string fullWidthToAscii(std::string_view gbk);

// After the full-width rule: the longest prefix that forms a decimal number
// (leading blanks, optional sign, digits with an optional fraction, optional
// exponent), truncated toward zero; 0 when there is none. Values beyond the
// range of int give its nearest limit.
int toNumber(std::string_view text);

// After the full-width rule: leading blanks, optional sign, then the decimal
// digits up to the first other character; 0 when there are none. Values beyond
// the range of int give its nearest limit.
int toInteger(std::string_view text);

}  // namespace orvanix
