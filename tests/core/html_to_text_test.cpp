#include "web/html_to_text.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

#include "web/regex_object.h"

namespace orvanix {
namespace {

TEST(HtmlToText, DeletesBlocksTagsAndEntities) {
    const struct {
        const char* name;
        std::string text, expected;
    } cases[] = {
        {"tag", "<b>Name</b>", "Name"},
        {"script block, either case", "<SCRIPT>x</SCRIPT>y", "y"},
        {"script block across lines", "a<script>\nif (1<2) {}\n</script>b", "ab"},
        {"nearest closing tag wins", "<style>a</style>b<style>c</style>d", "bd"},
        {"unclosed script is one tag", "<script src=x>y", "y"},
        {"unclosed script without any >", "<script", "<script"},
        {"entities vanish", "a&amp;b 1&nbsp;2 &lt;", "ab 12 "},
        {"longest entity stretch wins", "&a;b;c", "c"},
        {"entity of eight characters", "&12345678;x", "x"},
        {"nine characters are too many", "&123456789;", "&123456789;"},
        {"nine, but a shorter stretch ends in ;", "&1234;6789;", "6789;"},
        {"entity holding a line feed stays", "&a\nb;", "&a\nb;"},
        {"entity may hold a carriage return", "&a\rb;", ""},
        {"& without a stretch and &; stay", "&; a &", "&; a &"},
        {"an entity stretch may hold spaces", "a & b;c", "a c"},
        {"tag over two lines", "a<a\nhref=x>b", "ab"},
        {"< without a later > stays", "Name<", "Name<"},
        {"<> is no tag", "a<>b", "a<>b"},
        {"a tag may hold <", "x<<a>y", "xy"},
        {"double-byte characters count once",
         "&\xD6\xD0\xD6\xD0\xD6\xD0\xD6\xD0\xD6\xD0\xD6\xD0\xD6\xD0\xD6\xD0;z", "z"},
        {"Chinese text kept", "<p>\xD6\xD0\xCE\xC4</p>", "\xD6\xD0\xCE\xC4"},
        {"empty", "", ""},
    };
    for (const auto& c : cases) EXPECT_EQ(htmlToText(c.text), c.expected) << c.name;
}

// The scan must give exactly what the regular expression gives.
TEST(HtmlToText, AgreesWithTheRegularExpression) {
    std::mt19937 random(4242);
    const std::string pieces[] = {
        "<",       ">",         "&",      ";",        "\n",      "\r",     "a",        "S",
        "<script", "</SCRIPT>", "<style", "</style>", "</scrip", "&nbsp;", "\xD6\xD0", " "};
    RegexObject regex;
    for (int round = 0; round < 5000; ++round) {
        std::string text;
        for (std::size_t i = random() % 16; i > 0; --i)
            text += pieces[random() % std::size(pieces)];
        ASSERT_TRUE(regex.execute(kHtmlMarkupPattern, text));
        ASSERT_EQ(htmlToText(text), regex.replace("")) << text;
    }
}

}  // namespace
}  // namespace orvanix
