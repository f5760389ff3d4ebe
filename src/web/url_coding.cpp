#include "web/url_coding.h"

#include "web/code_page.h"

namespace orvanix {

namespace {

constexpr char kHexDigits[] = "0123456789ABCDEF";

// Value of one digit after "%": 0 to 15 for a hexadecimal digit in either case,
// -2 for any other byte.
int digitValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -2;
}

}  // namespace

std::string urlEncoding(std::string_view text, bool utf8First) {
    if (text.empty()) return {};
    const std::string converted = utf8First ? gbkToUtf8(text) : std::string();
    const std::string_view bytes = utf8First ? std::string_view(converted) : text;
    std::string result;
    result.reserve(bytes.size() * 3);
    for (const char c : bytes) {
        const auto value = static_cast<unsigned char>(c);
        result.push_back('%');
        result.push_back(kHexDigits[value >> 4]);
        result.push_back(kHexDigits[value & 0x0F]);
    }
    return result;
}

std::string percentDecoding(std::string_view text) {
    std::string bytes;
    bytes.reserve(text.size());
    const std::size_t size = text.size();
    for (std::size_t i = 0; i < size; ++i) {
        if (text[i] != '%') {
            bytes.push_back(text[i]);
            continue;
        }
        // A digit missing because the text has ended counts as 0.
        const int high = i + 1 < size ? digitValue(text[i + 1]) : 0;
        const int low = i + 2 < size ? digitValue(text[i + 2]) : 0;
        i += 2;
        const auto value = static_cast<unsigned char>((16 * high + low) & 0xFF);
        if (value != 0) bytes.push_back(static_cast<char>(value));
    }
    return utf8ToGbk(bytes);
}

}  // namespace orvanix
