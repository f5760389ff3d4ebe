#include <gtest/gtest.h>

#include "core/site_test_dir.h"
#include "sites/checked_sites.h"
#include "sites/site_table.h"
#include "sites/ticked_sites.h"

namespace orvanix {
namespace {

using Names = std::vector<std::string>;
using Pairs = std::vector<SiteRecord>;

class SitePairsTest : public testing::Test {
protected:
    SitePairsTest() {
        EXPECT_TRUE(createSiteTable(table, {{"A", "a1.com"},
                                            {"B", "b.com"},
                                            {"A", "a2.com"},
                                            {"\xB0\xD9\xB6\xC8", "pan.baidu.com"},
                                            {"", "empty.com"}}));
    }

    test::SiteTestDir dir;
    std::string table = dir.file("wp.edb");
    std::string checked = dir.file("xz.db");
};

TEST_F(SitePairsTest, EachTickedNameGivesEveryRecordOfThatName) {
    const std::pair<Names, Pairs> cases[] = {
        {{}, {}},
        {{"B", "A"}, {{"B", "b.com"}, {"A", "a1.com"}, {"A", "a2.com"}}},
        // Both entries of a shared name ticked: each looks up both records.
        {{"A", "A"}, {{"A", "a1.com"}, {"A", "a2.com"}, {"A", "a1.com"}, {"A", "a2.com"}}},
        {{"Gone", "a", "A "}, {}},  // no such record; case and blanks count
        {{"\xB0\xD9\xB6\xC8", ""}, {{"\xB0\xD9\xB6\xC8", "pan.baidu.com"}, {"", "empty.com"}}},
    };
    for (const auto& [names, pairs] : cases) EXPECT_EQ(tickedSitePairs(table, names), pairs);
}

TEST_F(SitePairsTest, NoTableGivesNoPairs) {
    EXPECT_TRUE(tickedSitePairs(dir.file("missing.edb"), {"A"}).empty());
}

TEST_F(SitePairsTest, LoadTicksEveryEntryNamedInTheFile) {
    const std::vector<SiteRecord> records = readSiteTable(table);
    // Unknown names are ignored, a name ticks all entries that carry it, and an
    // empty line ticks the entry with the empty name.
    EXPECT_EQ(entryTicks(records, {"Unknown", "A"}),
              (std::vector<bool>{true, false, true, false, false}));
    EXPECT_EQ(entryTicks(records, {""}), (std::vector<bool>{false, false, false, false, true}));
    EXPECT_EQ(entryTicks(records, {}), (std::vector<bool>(5, false)));

    test::writeBytes(checked, "Unknown\r\nB\r\nA\r\n");
    EXPECT_EQ(tickedNamesAfterLoad(table, checked), (Names{"A", "B", "A"}));
    EXPECT_TRUE(tickedNamesAfterLoad(table, dir.file("none.db")).empty());
}

}  // namespace
}  // namespace orvanix
