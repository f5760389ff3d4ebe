#include "sites/site_list_file.h"

#include <gtest/gtest.h>

#include "core/site_test_dir.h"
#include "support/paths.h"

namespace orvanix {
namespace {

using Records = std::vector<SiteRecord>;

TEST(SiteListFile, ReadsNameTabAddressLines) {
    const std::pair<std::string, Records> cases[] = {
        {"", {}},
        {"百度网盘\tpan.baidu.com\n", {{"\xB0\xD9\xB6\xC8\xCD\xF8\xC5\xCC", "pan.baidu.com"}}},
        {"# note\n\nA\ta.com\r\nB\tb.com", {{"A", "a.com"}, {"B", "b.com"}}},
        {"no tab here\nC\tc.com\n", {{"C", "c.com"}}},
        {"D\tx\ty\n", {{"D", "x\ty"}}},  // the first tab splits
    };
    for (const auto& [text, records] : cases) EXPECT_EQ(parseSiteList(text), records) << text;
}

TEST(SiteListFile, ShippedListHasSitesWithBareDomains) {
    const Records records =
        parseSiteList(test::readBytes(test::fixturesDir() + "/../../data/sites.txt"));
    ASSERT_FALSE(records.empty());
    for (const SiteRecord& record : records) {
        EXPECT_FALSE(record.name.empty());
        EXPECT_EQ(record.address.find("www."), std::string::npos) << record.address;
        EXPECT_EQ(record.address.find("://"), std::string::npos) << record.address;
        EXPECT_EQ(record.address.find(' '), std::string::npos) << record.address;
    }
}

}  // namespace
}  // namespace orvanix
