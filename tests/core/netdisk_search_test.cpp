// The netdisk search against the fixture server: query addresses, the hit-block
// cut and its five column rules, numbering across sites, duplicate site names.
#include <gtest/gtest.h>

#include <map>

#include "search/netdisk_search.h"
#include "search_fake_port.h"
#include "search_temp_dir.h"
#include "sites/site_table.h"
#include "sites/ticked_sites.h"
#include "support/fixture_server.h"
#include "support/paths.h"

namespace orvanix {
namespace {

using Row = test::FakeSearchPort::Row;

const std::string kQueryPath = "/s?ie=utf-8&f=8&rsv_bp=1&tn=baidu&wd=site%3A";

struct AddressCase {
    const char* site;
    const char* keywordUtf8;
    const char* count;
    const char* expected;  // the address after "http://HOST"
};

TEST(NetdiskQueryAddress, EncodesBlankAndKeywordAfterTheSiteAsStored) {
    const AddressCase cases[] = {
        {"pan.a.example", "ab", "20", "%20%61%62&rn=20"},
        {"pan.a.example", "中", "100", "%20%E4%B8%AD&rn=100"},
        {"pan.a.example", "", "40", "%20&rn=40"},
        {"pan.a.example", "a b", "", "%20%61%20%62&rn="},
        // The site's address goes out exactly as stored, not encoded.
        {"pan.x.example/s?q=1 2", "x", "60", "%20%78&rn=60"},
    };
    for (const auto& c : cases) {
        const std::string address =
            netdiskQueryAddress("search.example:8080", c.site, utf8ToGbk(c.keywordUtf8), c.count);
        EXPECT_EQ(address, "http://search.example:8080" + kQueryPath + c.site + c.expected)
            << c.keywordUtf8;
    }
}

// A web search that answers each site query with the page of that site.
class NetdiskSearchTest : public testing::Test {
protected:
    NetdiskSearchTest() {
        server.route("/s", [this](const test::RecordedRequest& request) {
            const std::string target = request.target();
            for (const auto& [site, file] : pages) {
                if (target.find("site%3A" + site + "%20") != std::string::npos) {
                    return test::FixtureResponse::page(page(file));
                }
            }
            return test::FixtureResponse::status(404, "<html>not found</html>");
        });
        port.setKeyword("资料");
        port.setCount("20");
    }

    static std::string page(const std::string& name) {
        return test::readWholeFile(test::fixturesDir() + "/netdisk/" + name).value_or("");
    }

    // A site table holding these (UTF-8) records.
    std::string table(const std::vector<std::pair<std::string, std::string>>& records) {
        std::vector<SiteRecord> gbk;
        for (const auto& [name, address] : records) gbk.push_back({utf8ToGbk(name), address});
        const std::string path = dir.file("wp.edb");
        EXPECT_TRUE(createSiteTable(path, gbk));
        return path;
    }

    void run(const std::string& tablePath) {
        NetdiskSearch search(server.hostAndPort(), [tablePath](const auto& names) {
            return tickedSitePairs(tablePath, names);
        });
        runSearch(search, port, *makeStopToken());
    }

    std::vector<std::string> targets() const {
        std::vector<std::string> result;
        for (const auto& request : server.requests()) result.push_back(request.target());
        return result;
    }

    std::map<std::string, std::string> pages{{"pan.a.example", "site_a.html"},
                                             {"pan.b.example", "site_b.html"},
                                             {"pan.none.example", "no_hits.html"}};
    test::SearchTempDir dir;
    test::FixtureServer server;
    test::FakeSearchPort port{6};
};

const Row kA1{"", "中文资料.zip", "甲盘", "1.5G", "2019-05-01", "http://pan.a.example/s/1abc"};
const Row kA2{"", "Report 2020.pdf", "甲盘", "未提供", "未提供", "https://pan.a.example/s/2def"};
const Row kA3{"", "电影 ++more", "甲盘", "未提供", "2021-12-31", "http://pan.a.example/s/3ghi"};
const Row kB1{"", "B盘文件.txt", "乙盘", "42K", "2018-02-03", "http://pan.b.example/s/9xyz"};

Row numbered(Row row, int number, const char* site = nullptr) {
    row[0] = std::to_string(number);
    if (site) row[2] = site;
    return row;
}

TEST_F(NetdiskSearchTest, TwoSitesInCheckOrderWithContinuedNumbering) {
    const std::string path = table({{"甲盘", "pan.a.example"}, {"乙盘", "pan.b.example"}});
    port.setChecked({"乙盘", "甲盘"});
    run(path);

    // Site A's page exercises every field rule: the date marker swallowing "2",
    // no size or no "B" after it, upper-case block markers, percent-encoded UTF-8
    // titles without the closing quote, and a blank block that ends the scan.
    EXPECT_EQ(port.rows(), (std::vector<Row>{numbered(kB1, 1), numbered(kA1, 2), numbered(kA2, 3),
                                             numbered(kA3, 4)}));
    const std::string keyword = "%20%E8%B5%84%E6%96%99&rn=20";
    EXPECT_EQ(targets(), (std::vector<std::string>{kQueryPath + "pan.b.example" + keyword,
                                                   kQueryPath + "pan.a.example" + keyword}));
    const auto log = port.log();
    ASSERT_GE(log.size(), 4u);
    EXPECT_EQ(log.front(), "clear");
    EXPECT_EQ(std::vector<std::string>(log.end() - 3, log.end()),
              (std::vector<std::string>{"status 1 搜索完成", "enable", "status 3 4"}));
}

TEST_F(NetdiskSearchTest, DuplicateNamesQueryEveryRecordForEachTick) {
    const std::string path = table({{"甲盘", "pan.a.example"}, {"甲盘", "pan.b.example"}});
    port.setChecked({"甲盘", "甲盘"});
    run(path);

    const std::string a = kQueryPath + "pan.a.example%20%E8%B5%84%E6%96%99&rn=20";
    const std::string b = kQueryPath + "pan.b.example%20%E8%B5%84%E6%96%99&rn=20";
    EXPECT_EQ(targets(), (std::vector<std::string>{a, b, a, b}));
    std::vector<Row> expected;
    for (int round = 0; round < 2; ++round) {
        const int base = round * 4;
        expected.push_back(numbered(kA1, base + 1));
        expected.push_back(numbered(kA2, base + 2));
        expected.push_back(numbered(kA3, base + 3));
        expected.push_back(numbered(kB1, base + 4, "甲盘"));
    }
    EXPECT_EQ(port.rows(), expected);
}

TEST_F(NetdiskSearchTest, NoCountSelectedEndsTheAddressWithRn) {
    const std::string path = table({{"甲盘", "pan.a.example"}});
    port.setChecked({"甲盘"});
    port.setCount("");
    run(path);
    EXPECT_EQ(targets(),
              std::vector<std::string>{kQueryPath + "pan.a.example%20%E8%B5%84%E6%96%99&rn="});
}

TEST_F(NetdiskSearchTest, FailedOrEmptyPagesAddNoRowsAndTheSearchGoesOn) {
    // A page without hits and an error page, then a site with hits.
    const std::string path =
        table({{"空", "pan.none.example"}, {"错", "pan.error.example"}, {"甲盘", "pan.a.example"}});
    port.setChecked({"空", "错", "甲盘"});
    run(path);
    EXPECT_EQ(port.rows(),
              (std::vector<Row>{numbered(kA1, 1), numbered(kA2, 2), numbered(kA3, 3)}));
    EXPECT_EQ(port.log().back(), "status 3 3");
}

TEST_F(NetdiskSearchTest, NothingTickedOrNoRecordGoesStraightToTheEndSteps) {
    const std::string path = table({{"甲盘", "pan.a.example"}});
    for (const std::vector<std::string>& checked :
         {std::vector<std::string>{}, std::vector<std::string>{"无此站"}}) {
        test::FakeSearchPort fresh{6};
        fresh.setChecked(checked);
        NetdiskSearch search(server.hostAndPort(),
                             [path](const auto& names) { return tickedSitePairs(path, names); });
        runSearch(search, fresh, *makeStopToken());
        EXPECT_EQ(fresh.log(),
                  (std::vector<std::string>{"clear", "status 1 搜索完成", "enable", "status 3 0"}));
    }
    EXPECT_TRUE(server.requests().empty());
}

}  // namespace
}  // namespace orvanix
