#include "web/regex_object.h"

#include <gtest/gtest.h>

#include <string>

namespace orvanix {
namespace {

TEST(RegexObject, CollectsMatchesAndGroups) {
    RegexObject regex;
    ASSERT_TRUE(regex.execute(R"((\w+)=(\d+)?)", "a=1 B= c=33"));
    ASSERT_EQ(regex.matchCount(), 3);
    EXPECT_EQ(regex.matchText(1), "a=1");
    EXPECT_EQ(regex.matchText(3), "c=33");
    EXPECT_EQ(regex.submatchCount(), 2);
    EXPECT_EQ(regex.submatchText(3, 1), "c");
    EXPECT_EQ(regex.submatchText(3, 2), "33");
    EXPECT_EQ(regex.submatchText(2, 2), "") << "a group that took no part";
    EXPECT_EQ(regex.matchText(0), "");
    EXPECT_EQ(regex.matchText(4), "");
    EXPECT_EQ(regex.submatchText(1, 3), "");
}

TEST(RegexObject, OptionsChangeTheSearch) {
    RegexObject regex;
    ASSERT_TRUE(regex.execute("ab", "AB ab"));
    EXPECT_EQ(regex.matchCount(), 2) << "case ignored by default";

    RegexOptions caseCounts;
    caseCounts.caseCounts = true;
    ASSERT_TRUE(regex.execute("ab", "AB ab", caseCounts));
    EXPECT_EQ(regex.matchCount(), 1);

    RegexOptions firstOnly;
    firstOnly.global = false;
    ASSERT_TRUE(regex.execute("a", "aaa", firstOnly));
    EXPECT_EQ(regex.matchCount(), 1);

    ASSERT_TRUE(regex.execute("^x$", "x\nx"));
    EXPECT_EQ(regex.matchCount(), 2) << "multi-line by default";
    RegexOptions singleLine;
    singleLine.multiLine = false;
    ASSERT_TRUE(regex.execute("^x$", "x\nx", singleLine));
    EXPECT_EQ(regex.matchCount(), 0);
}

TEST(RegexObject, DotStopsOnlyAtLineFeed) {
    RegexObject regex;
    ASSERT_TRUE(regex.execute("a.b", "a\rb a\nb"));
    ASSERT_EQ(regex.matchCount(), 1);
    EXPECT_EQ(regex.matchText(1), "a\rb");
}

TEST(RegexObject, WorksOnCharactersOfGbkText) {
    RegexObject regex;
    // 中文 (D6 D0 CE C4): one dot per character, results back in GBK.
    ASSERT_TRUE(regex.execute("(.)\xCE\xC4", "x\xD6\xD0\xCE\xC4"));
    EXPECT_EQ(regex.submatchText(1, 1), "\xD6\xD0");
    EXPECT_EQ(regex.replace("[$1]"), "x[\xD6\xD0]");
}

TEST(RegexObject, QuoteConventionRewritesThePattern) {
    RegexObject regex;
    RegexOptions quotes;
    quotes.quoteConvention = true;
    ASSERT_TRUE(regex.execute("href=#\xD2\xFD\xBA\xC5", "<a href=\"x\">", quotes));
    EXPECT_EQ(regex.patternText(), "href=\"");
    EXPECT_EQ(regex.matchCount(), 1);

    ASSERT_TRUE(regex.execute("#\xD2\xFD\xBA\xC5", "\""));
    EXPECT_EQ(regex.patternText(), "#\xD2\xFD\xBA\xC5") << "unchanged without the convention";
    EXPECT_EQ(regex.matchCount(), 0);
}

TEST(RegexObject, NoMatchIsStillASuccess) {
    RegexObject regex;
    EXPECT_EQ(regex.patternText(), "") << "before the first execute";
    ASSERT_TRUE(regex.execute("z", "abc"));
    EXPECT_EQ(regex.matchCount(), 0);
    EXPECT_EQ(regex.submatchCount(), 0);
    EXPECT_EQ(regex.replace("-"), "abc");
}

TEST(RegexObject, BrokenPatternFailsWithEmptyAnswers) {
    RegexObject regex;
    ASSERT_TRUE(regex.execute("b", "abc"));
    EXPECT_FALSE(regex.execute("(", "abc"));
    EXPECT_EQ(regex.patternText(), "(");
    EXPECT_EQ(regex.matchCount(), 0) << "no matches left over from the earlier execute";
    EXPECT_EQ(regex.matchText(1), "");
    EXPECT_EQ(regex.replace(""), "");
}

TEST(RegexObject, ReplaceExpandsDollarForms) {
    RegexObject regex;
    ASSERT_TRUE(regex.execute("(b)(c)?", "abd"));
    const struct {
        const char* replacement;
        const char* expected;
    } cases[] = {
        {"", "ad"},           {"[$1]", "a[b]d"},      {"[$2]", "a[]d"},
        {"[$&$&]", "a[bb]d"}, {"[$`|$']", "a[a|d]d"}, {"$$", "a$d"},
        {"$3$", "a$3$d"},     {"$10", "ab0d"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(regex.replace(c.replacement), c.expected) << c.replacement;
}

TEST(RegexObject, GlobalSearchStepsPastEmptyMatches) {
    RegexObject regex;
    ASSERT_TRUE(regex.execute("x*", "axb"));
    EXPECT_EQ(regex.replace("-"), "-a--b-");
}

TEST(RegexObject, RunawayBacktrackingFails) {
    RegexObject regex;
    EXPECT_FALSE(regex.execute("(a+)+$", std::string(40, 'a') + "b"));
    EXPECT_EQ(regex.matchCount(), 0);
}

}  // namespace
}  // namespace orvanix
