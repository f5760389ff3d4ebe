#include "web/escape_decoding.h"

#include <gtest/gtest.h>

#include <string>

namespace orvanix {
namespace {

const std::string kZhong = "\xD6\xD0";           // 中
const std::string kWen = "\xCE\xC4";             // 文
const std::string kFullWidthQuote = "\xA1\xAF";  // ’

TEST(EscapeDecoding, DecodesLiteralAndPercentEscapes) {
    const struct {
        const char* name;
        std::string text, expected;
    } cases[] = {
        {"\\u escapes", "\\u4e2d\\u6587", kZhong + kWen},
        {"%u escape", "%u4e2d", kZhong},
        {"%u escape, upper-case digits", "%u4E2D", kZhong},
        {"escaped slash", "a\\/b", "a/b"},
        {"escaped double quote", "a\\\"b", "a\"b"},
        {"tab", "a\\tb", "a\tb"},
        {"b n f r", "\\b\\n\\f\\r", "\b\n\f\r"},
        {"\\v is the letter v", "\\v", "v"},
        {"escaped backslash", "a\\\\b", "a\\b"},
        {"\\x escape", "\\x41\\x4a", "AJ"},
        {"\\x without two digits", "\\x4", "x4"},
        {"octal, one to three digits", "\\101\\62\\7", "A2\x07"},
        {"octal stops at 377", "\\4012\\3770", " 12?0"},
        {"octal 0 ends the text", "a\\0b", "a"},
        {"any other escaped character", "\\q\\8", "q8"},
        {"escaped backslash before u", "\\\\u0041", "A"},
        {"escaped apostrophe", "\\'", "'"},
        {"%XX is one Latin-1 character", "%41", "A"},
        // Three Latin-1 characters, not 中: U+00E4 and U+00B8 have no GBK form; the
        // converter drops the soft hyphen U+00AD.
        {"%XX never combines into UTF-8", "%E4%B8%AD", "??"},
        {"%XX of a Latin-1 character GBK holds", "%E0%B7", "\xA8\xA4\xA1\xA4"},
        {"%00 ends the text", "a%00b", "a"},
        {"broken escapes stay", "%zz%u12%", "%zz%u12%"},
        {"plus stays", "a+b", "a+b"},
        {"escape decoded before unescape", "\\x25u4e2d", kZhong},
        {"apostrophe survives", "It's", "It's"},
        {"full-width quote comes back as apostrophe", kFullWidthQuote, "'"},
        {"mark comes back as CR LF", "a{$}b", "a\r\nb"},
        {"CR LF kept", "a\r\nb", "a\r\nb"},
        {"leading lone CR dropped", "\rab", "ab"},
        {"escaped lone line feed continues the literal", "a\\\nb", "ab"},
        {"GBK text unchanged", kZhong + "x" + kWen, kZhong + "x" + kWen},
        {"backslash as second byte is no escape", "\x81\\u", "\x81\\u"},
        {"empty", "", ""},
    };
    for (const auto& c : cases) EXPECT_EQ(escapeDecoding(c.text), c.expected) << c.name;
}

TEST(EscapeDecoding, BrokenLiteralGivesEmptyText) {
    const struct {
        const char* name;
        std::string text;
    } cases[] = {
        {"lone line feed", "a\nb"},
        {"lone line feed at the start", "\nab"},
        {"lone carriage return inside", "a\rb"},
        {"second leading carriage return", "\r\rab"},
        {"final backslash", "ab\\"},
        {"three final backslashes", "ab\\\\\\"},
        {"escaped backslash before a line feed", "a\\\\\nb"},
    };
    for (const auto& c : cases) EXPECT_EQ(escapeDecoding(c.text), "") << c.name;
    EXPECT_EQ(escapeDecoding("ab\\\\"), "ab\\") << "an even number of backslashes is fine";
}

}  // namespace
}  // namespace orvanix
