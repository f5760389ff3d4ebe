#include "app/settings_conversion.h"

#include <charconv>
#include <cmath>
#include <limits>

namespace orvanix {

namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}
bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

std::size_t skipDigits(std::string_view text, std::size_t i) {
    while (i < text.size() && isDigit(text[i])) ++i;
    return i;
}

int clampToInt(double value) {
    constexpr double kMin = std::numeric_limits<int>::min();
    constexpr double kMax = std::numeric_limits<int>::max();
    if (value <= kMin) return std::numeric_limits<int>::min();
    if (value >= kMax) return std::numeric_limits<int>::max();
    return static_cast<int>(std::trunc(value));
}

// Position after leading blanks and a sign; `negative` tells the sign.
std::size_t skipBlanksAndSign(std::string_view text, bool& negative) {
    std::size_t i = 0;
    while (i < text.size() && isBlank(text[i])) ++i;
    negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    return i;
}

}  // namespace

std::string fullWidthToAscii(std::string_view gbk) {
    std::string out;
    out.reserve(gbk.size());
    for (std::size_t i = 0; i < gbk.size(); ++i) {
        const auto lead = static_cast<unsigned char>(gbk[i]);
        if (lead < 0x81 || lead > 0xFE || i + 1 == gbk.size()) {
            out.push_back(gbk[i]);
            continue;
        }
        const auto trail = static_cast<unsigned char>(gbk[i + 1]);
        if (lead == 0xA3 && trail >= 0xA1 && trail <= 0xFE) {
            out.push_back(static_cast<char>(trail - 0x80));
        } else if (lead == 0xA1 && trail == 0xA1) {
            out.push_back(' ');
        } else {
            out.append(gbk.substr(i, 2));
        }
        ++i;
    }
    return out;
}

int toNumber(std::string_view stored) {
    const std::string text = fullWidthToAscii(stored);
    bool negative = false;
    const std::size_t start = skipBlanksAndSign(text, negative);
    std::size_t end = skipDigits(text, start);
    bool anyDigit = end > start;
    if (end < text.size() && text[end] == '.') {
        const std::size_t fractionEnd = skipDigits(text, end + 1);
        anyDigit = anyDigit || fractionEnd > end + 1;
        end = fractionEnd;
    }
    if (!anyDigit) return 0;
    if (end < text.size() && (text[end] == 'e' || text[end] == 'E')) {
        std::size_t exponent = end + 1;
        if (exponent < text.size() && (text[exponent] == '+' || text[exponent] == '-')) ++exponent;
        const std::size_t exponentEnd = skipDigits(text, exponent);
        if (exponentEnd > exponent) end = exponentEnd;
    }
    double value = 0;
    const auto [ptr, error] =
        std::from_chars(text.data() + start, text.data() + end, value, std::chars_format::general);
    if (error == std::errc::result_out_of_range) {
        // Too large or too small for a double: the exponent's sign decides which.
        const auto e = text.find_first_of("eE", start);
        const bool tiny = e < end && e + 1 < end && text[e + 1] == '-';
        value = tiny ? 0.0 : std::numeric_limits<double>::infinity();
    } else if (error != std::errc() || ptr != text.data() + end) {
        return 0;
    }
    return clampToInt(negative ? -value : value);
}

int toInteger(std::string_view stored) {
    const std::string text = fullWidthToAscii(stored);
    bool negative = false;
    const std::size_t start = skipBlanksAndSign(text, negative);
    long long value = 0;
    for (std::size_t i = start; i < text.size() && isDigit(text[i]); ++i) {
        value = value * 10 + (text[i] - '0');
        if (value > std::numeric_limits<int>::max()) {
            return negative ? std::numeric_limits<int>::min() : std::numeric_limits<int>::max();
        }
    }
    return static_cast<int>(negative ? -value : value);
}

}  // namespace orvanix
