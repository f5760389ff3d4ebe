#pragma once

#include <string>
#include <string_view>

// Percent coding of keywords for query strings and of fields cut out of pages.
namespace orvanix {

// Every byte becomes "%" and two upper-case hexadecimal digits, letters and digits
// included; a space becomes %20. With utf8First the GBK text is converted to UTF-8
// before encoding, otherwise its own GBK bytes are encoded.
std::string urlEncoding(std::string_view text, bool utf8First);

// Decodes "%XX" escapes byte by byte (either case of hex digit) and converts the
// resulting UTF-8 bytes to GBK. A digit that is not hexadecimal counts as -2 and a
// digit missing at the end of the text as 0; a decoded zero byte is left out. "+"
// stays "+".
std::string percentDecoding(std::string_view text);

}  // namespace orvanix
