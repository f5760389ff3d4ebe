#include "web/url_coding.h"

#include <gtest/gtest.h>

#include <string>

namespace orvanix {
namespace {

const std::string kZhong = "\xD6\xD0";  // 中 in GBK

TEST(UrlEncoding, EncodesEveryByte) {
    const struct {
        const char* name;
        std::string text;
        bool utf8First;
        std::string expected;
    } cases[] = {
        {"letters, digits and space", "ab 1", true, "%61%62%20%31"},
        {"unreserved signs too", "-._~+", false, "%2D%2E%5F%7E%2B"},
        {"small values get a leading zero", "\x01\x0F", false, "%01%0F"},
        {"GBK converted to UTF-8", kZhong, true, "%E4%B8%AD"},
        {"GBK bytes as they are", kZhong, false, "%D6%D0"},
        {"empty, UTF-8 first", "", true, ""},
        {"empty, GBK", "", false, ""},
    };
    for (const auto& c : cases) EXPECT_EQ(urlEncoding(c.text, c.utf8First), c.expected) << c.name;
}

TEST(PercentDecoding, DecodesBytesThenConvertsFromUtf8) {
    const struct {
        const char* name;
        std::string text, expected;
    } cases[] = {
        {"lower-case digits", "%e4%b8%ad", kZhong},
        {"upper-case digits", "%E4%B8%AD", kZhong},
        {"mixed with plain bytes", "x%20y", "x y"},
        {"final percent adds nothing", "100%", "100"},
        {"one digit missing at the end counts as 0", "A%4", "A\x40"},
        {"non-digit counts as -2", "%4G", ">"},
        {"two non-digits wrap to the low eight bits", "%GG%E4%B8%AD", "?" + kZhong},
        {"a percent takes the next two bytes, percent included", "%%41", "?1"},
        {"decoded zero byte is left out", "a%00b", "ab"},
        {"plus stays", "a+b", "a+b"},
        {"invalid UTF-8 becomes ?", "%FFa", "?a"},
        {"empty", "", ""},
    };
    for (const auto& c : cases) EXPECT_EQ(percentDecoding(c.text), c.expected) << c.name;
}

}  // namespace
}  // namespace orvanix
