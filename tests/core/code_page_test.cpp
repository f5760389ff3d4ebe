#include "web/code_page.h"

#include <gtest/gtest.h>

#include <unicode/ucnv.h>

#include <random>
#include <string>

namespace orvanix {
namespace {

TEST(CodePage, ConvertsBetweenGbkUtf8AndUtf16) {
    const struct {
        const char* name;
        std::string gbk;
        std::string utf8;
        std::u16string utf16;
    } cases[] = {
        {"ASCII", "abc", "abc", u"abc"},
        {"Chinese", "\xD6\xD0\xCE\xC4", "\xE4\xB8\xAD\xE6\x96\x87", u"\u4E2D\u6587"},
        {"full-width space", "\xA1\xA1", "\xE3\x80\x80", u"\u3000"},
        {"0x80 is the euro sign", "\x80", "\xE2\x82\xAC", u"\u20AC"},
        {"empty", "", "", u""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(gbkToUtf8(c.gbk), c.utf8) << c.name;
        EXPECT_EQ(utf8ToGbk(c.utf8), c.gbk) << c.name;
        EXPECT_EQ(gbkToUtf16(c.gbk), c.utf16) << c.name;
        EXPECT_EQ(utf16ToGbk(c.utf16), c.gbk) << c.name;
        EXPECT_EQ(utf8ToUtf16(c.utf8), c.utf16) << c.name;
    }
}

TEST(CodePage, WhatGbkCannotHoldBecomesQuestionMark) {
    EXPECT_EQ(utf8ToGbk("a\xF0\x9F\x98\x80z"), "a?z");  // an emoji
    EXPECT_EQ(utf8ToGbk("\xE0\xB8\x81"), "?");          // Thai
    EXPECT_EQ(utf16ToGbk(u"\xD800x"), "?x");            // lone surrogate
    EXPECT_EQ(utf8ToGbk("\xC3(x"), "?(x");              // broken UTF-8
}

TEST(CodePage, StopsAtTheFirstZero) {
    EXPECT_EQ(gbkToUtf8(std::string("ab\0cd", 5)), "ab");
    EXPECT_EQ(utf16ToGbk(std::u16string(u"ab\0cd", 5)), "ab");
}

// The converters' answer for a whole text in one call, as the reference for the
// piecewise conversion.
std::u16string wholeToUtf16(const char* codePage, const std::string& bytes) {
    UErrorCode status = U_ZERO_ERROR;
    UConverter* converter = ucnv_open(codePage, &status);
    std::u16string out(bytes.size() + 1, u'\0');
    status = U_ZERO_ERROR;
    const int32_t length = ucnv_toUChars(converter, reinterpret_cast<UChar*>(out.data()),
                                         static_cast<int32_t>(out.size()), bytes.data(),
                                         static_cast<int32_t>(bytes.size()), &status);
    ucnv_close(converter);
    out.resize(static_cast<std::size_t>(length));
    return out;
}

std::string wholeFromUtf16(const char* codePage, const std::u16string& units) {
    UErrorCode status = U_ZERO_ERROR;
    UConverter* converter = ucnv_open(codePage, &status);
    status = U_ZERO_ERROR;
    ucnv_setSubstChars(converter, "?", 1, &status);
    std::string out(units.size() * 3 + 1, '\0');
    status = U_ZERO_ERROR;
    const int32_t length = ucnv_fromUChars(converter, out.data(), static_cast<int32_t>(out.size()),
                                           reinterpret_cast<const UChar*>(units.data()),
                                           static_cast<int32_t>(units.size()), &status);
    ucnv_close(converter);
    out.resize(static_cast<std::size_t>(length));
    return out;
}

// ASCII runs are copied and the rest converted in pieces; the result must be the
// converter's own for the whole text, also for broken sequences at the joins.
TEST(CodePage, PiecewiseConversionEqualsWholeConversion) {
    std::mt19937 random(99);
    const std::string bytes = "aB<\x80\x81\xD6\xD0\xE4\xB8\xAD\xFF\x40\x7F ";
    const std::u16string units = u"aZ\u00AD\u4E2D\U0001F600\xD800\xDC00\u20AC\u0E01";
    for (int round = 0; round < 5000; ++round) {
        std::string text;
        std::u16string wide;
        for (std::size_t i = random() % 12; i > 0; --i) {
            text.push_back(bytes[random() % bytes.size()]);
            wide.push_back(units[random() % units.size()]);
        }
        ASSERT_EQ(gbkToUtf16(text), wholeToUtf16("windows-936", text)) << round;
        ASSERT_EQ(utf8ToUtf16(text), wholeToUtf16("UTF-8", text)) << round;
        ASSERT_EQ(utf16ToGbk(wide), wholeFromUtf16("windows-936", wide)) << round;
        ASSERT_EQ(gbkToUtf8(text), wholeFromUtf16("UTF-8", wholeToUtf16("windows-936", text)))
            << round;
    }
}

}  // namespace
}  // namespace orvanix
