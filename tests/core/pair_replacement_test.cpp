#include "web/pair_replacement.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace orvanix {
namespace {

TEST(PairReplacement, AppliesPairsInTurn) {
    const std::vector<ReplacementPair> removeAmp = {{"amp;", ""}};
    EXPECT_EQ(pairReplacement("a?x=1&amp;y=2&AMP;z", 1, false, 0, false, removeAmp), "a?x=1&y=2&z");

    const std::vector<ReplacementPair> chain = {{"a", "b"}, {"b", "c"}, {"", "never"}};
    EXPECT_EQ(pairReplacement("ab", 0, false, 0, true, chain), "cc");
}

TEST(PairReplacement, StartCountAndCaseRules) {
    const struct {
        const char* name;
        int start;
        bool limitCount;
        int count;
        bool caseCounts;
        std::string expected;
    } cases[] = {
        {"all, case ignored", 1, false, 0, false, "-x-x-"},
        {"case counts", 1, false, 0, true, "-xAx-"},
        {"from position 3 on", 3, false, 0, false, "ax-x-"},
        {"from position 4 on", 4, false, 0, false, "axAx-"},
        {"start 0 means 1", 0, false, 0, false, "-x-x-"},
        {"start beyond the end", 9, false, 0, false, "axAxa"},
        {"at most two", 1, true, 2, false, "-x-xa"},
        {"count 0 with the flag", 1, true, 0, false, "axAxa"},
    };
    const std::vector<ReplacementPair> pairs = {{"a", "-"}};
    for (const auto& c : cases) {
        EXPECT_EQ(pairReplacement("axAxa", c.start, c.limitCount, c.count, c.caseCounts, pairs),
                  c.expected)
            << c.name;
    }
}

TEST(PairReplacement, ReplacesWholeCharactersOnly) {
    // 0x81 0x61 is one character: its second byte is not an "a".
    EXPECT_EQ(replaceEvery("\x81"
                           "aa",
                           "a", "b"),
              "\x81"
              "ab");
    EXPECT_EQ(replaceEvery("aaa", "aa", "a"), "aa") << "replacements are not searched again";
}

}  // namespace
}  // namespace orvanix
