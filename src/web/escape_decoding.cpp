#include "web/escape_decoding.h"

#include <optional>

#include "web/code_page.h"
#include "web/pair_replacement.h"

namespace orvanix {

namespace {

constexpr std::string_view kLineBreakMark = "{$}";
constexpr std::string_view kFullWidthQuote = "\xA1\xAF";  // ’ in GBK

int hexValue(char16_t c) {
    if (c >= u'0' && c <= u'9') return c - u'0';
    if (c >= u'a' && c <= u'f') return c - u'a' + 10;
    if (c >= u'A' && c <= u'F') return c - u'A' + 10;
    return -1;
}

bool isOctal(char16_t c) {
    return c >= u'0' && c <= u'7';
}

// The value of count hexadecimal digits at offset, or nothing.
std::optional<char16_t> hexUnits(std::u16string_view s, std::size_t offset, std::size_t count) {
    if (s.size() < offset + count) return std::nullopt;
    unsigned value = 0;
    for (std::size_t i = 0; i < count; ++i) {
        const int digit = hexValue(s[offset + i]);
        if (digit < 0) return std::nullopt;
        value = value * 16 + static_cast<unsigned>(digit);
    }
    return static_cast<char16_t>(value);
}

// Reads the body of a single-quoted string literal. Nothing when the literal would
// not be well formed: a raw line break, a quote, or an escaped closing quote.
std::optional<std::u16string> readLiteral(std::u16string_view s) {
    std::u16string out;
    out.reserve(s.size());
    for (std::size_t i = 0; i < s.size(); ++i) {
        const char16_t c = s[i];
        if (c == u'\n' || c == u'\r' || c == u'\'') return std::nullopt;
        if (c != u'\\') {
            out.push_back(c);
            continue;
        }
        if (i + 1 == s.size()) return std::nullopt;
        const char16_t e = s[++i];
        switch (e) {
            case u'b':
                out.push_back(u'\b');
                break;
            case u't':
                out.push_back(u'\t');
                break;
            case u'n':
                out.push_back(u'\n');
                break;
            case u'f':
                out.push_back(u'\f');
                break;
            case u'r':
                out.push_back(u'\r');
                break;
            case u'\n':
            case u'\r':
                break;  // an escaped line break continues the literal
            case u'x':
                if (const auto value = hexUnits(s, i + 1, 2)) {
                    out.push_back(*value);
                    i += 2;
                } else {
                    out.push_back(e);
                }
                break;
            case u'u':
                if (const auto value = hexUnits(s, i + 1, 4)) {
                    out.push_back(*value);
                    i += 4;
                } else {
                    out.push_back(e);
                }
                break;
            default:
                if (isOctal(e)) {
                    // Up to three digits while the value stays at most 0377.
                    unsigned value = static_cast<unsigned>(e - u'0');
                    const std::size_t maxDigits = value <= 3 ? 3 : 2;
                    for (std::size_t d = 1; d < maxDigits && i + 1 < s.size() && isOctal(s[i + 1]);
                         ++d)
                        value = value * 8 + static_cast<unsigned>(s[++i] - u'0');
                    out.push_back(static_cast<char16_t>(value));
                } else {
                    out.push_back(e);  // \v, \", \\, \/ and any other character
                }
        }
    }
    return out;
}

// "%uHHHH" and "%HH" escapes; every other character stays.
std::u16string unescape(std::u16string_view s) {
    std::u16string out;
    out.reserve(s.size());
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (s[i] == u'%') {
            if (i + 1 < s.size() && s[i + 1] == u'u') {
                if (const auto value = hexUnits(s, i + 2, 4)) {
                    out.push_back(*value);
                    i += 5;
                    continue;
                }
            }
            if (const auto value = hexUnits(s, i + 1, 2)) {
                out.push_back(*value);
                i += 2;
                continue;
            }
        }
        out.push_back(s[i]);
    }
    return out;
}

}  // namespace

std::string escapeDecoding(std::string_view text) {
    std::string prepared = replaceEvery(text, "\r\n", kLineBreakMark);
    if (!prepared.empty() && prepared.front() == '\r') prepared.erase(0, 1);
    prepared = replaceEvery(prepared, "\\u", "%u");
    prepared = replaceEvery(prepared, "'", kFullWidthQuote);

    const std::optional<std::u16string> literal = readLiteral(gbkToUtf16(prepared));
    if (!literal) return {};
    const std::string decoded = utf16ToGbk(unescape(*literal));  // stops at a U+0000

    return replaceEvery(replaceEvery(decoded, kFullWidthQuote, "'"), kLineBreakMark, "\r\n");
}

}  // namespace orvanix
