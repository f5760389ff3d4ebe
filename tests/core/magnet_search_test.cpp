// The magnet search against two fixture servers (one per source): request
// addresses and page counts, the record and field rules of both sources, numbering
// across pages, empty and failed pages, and controls changed during a run.
#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <map>
#include <mutex>

#include "search/magnet_search.h"
#include "search_fake_port.h"
#include "support/fixture_server.h"
#include "support/paths.h"
#include "web/code_page.h"

namespace orvanix {
namespace {

using Row = test::FakeSearchPort::Row;

const char* const kBtText =
    "基于DHT协议的BT资源搜索引擎，所有资源来源于爬虫24小时从DHT网络自动抓取，所有排行数据由程序自动"
    "生成。";
const char* const kDhtText = "基于DHT协议的BT资源搜索引擎，国外网站搜索速度较慢..";

// The magnet tab's controls: keyword, count text and mode index, which the
// servers' handlers may change while a search runs.
class MagnetPort : public test::FakeSearchPort {
public:
    MagnetPort() : FakeSearchPort(5) {}

    void setKeywordUtf8(const std::string& utf8) {
        std::lock_guard lock(mutex_);
        keyword_ = utf8ToGbk(utf8);
    }
    void setMode(int index) { mode_ = index; }

    std::string keyword() override {
        std::lock_guard lock(mutex_);
        return keyword_;
    }
    int selectedIndex(Combo combo) override {
        return combo == Combo::Mode ? mode_.load() : FakeSearchPort::selectedIndex(combo);
    }

    std::vector<std::string> statusLog() const {
        std::vector<std::string> status;
        for (const std::string& entry : log()) {
            if (entry.rfind("status", 0) == 0) status.push_back(entry);
        }
        return status;
    }

private:
    std::mutex mutex_;
    std::string keyword_;
    std::atomic<int> mode_{0};
};

std::string fixture(const std::string& name) {
    return test::readWholeFile(test::fixturesDir() + "/magnet/" + name).value_or("");
}

test::FixtureResponse served(const std::string& name) {
    return test::FixtureResponse::page(fixture(name));
}

class MagnetSearchTest : public testing::Test {
protected:
    MagnetSearchTest() {
        port.setKeywordUtf8("中");
        port.setCount("20");
    }

    // Answers the pages of the BT樱桃 site ("/search?keyword=E&p=N", one path: told
    // apart by the page number); a page not given is not found.
    void btPages(std::map<std::string, test::FixtureResponse> byPage) {
        bt.route("/search", [this, byPage](const test::RecordedRequest& request) {
            if (onBtRequest) onBtRequest(request);
            const std::string target = request.target();
            const auto found = byPage.find(target.substr(target.rfind("&p=") + 3));
            if (found == byPage.end()) return test::FixtureResponse::status(404, "none");
            return found->second;
        });
    }

    // DHT pages live at "/search/E/N".
    void dhtPage(const std::string& code, int page, const std::string& file) {
        dht.route("/search/" + code + "/" + std::to_string(page), served(file));
    }

    void run() {
        MagnetSearch search(bt.hostAndPort(), dht.hostAndPort());
        runSearch(search, port, *makeStopToken());
    }

    static std::vector<std::string> targets(const test::FixtureServer& server) {
        std::vector<std::string> result;
        for (const auto& request : server.requests()) result.push_back(request.target());
        return result;
    }

    std::function<void(const test::RecordedRequest&)> onBtRequest;
    test::FixtureServer bt;
    test::FixtureServer dht;
    MagnetPort port;
};

TEST_F(MagnetSearchTest, CountAndModeGiveThePagesOfOneSource) {
    struct Case {
        int mode;
        const char* count;
        int pages;
    };
    const Case cases[] = {
        {0, "20", 1}, {0, "100", 5}, {1, "20", 2}, {1, "100", 10}, {0, "", 0}, {1, "", 0},
    };
    for (const Case& c : cases) {
        bt.clearRequests();
        dht.clearRequests();
        port.setMode(c.mode);
        port.setCount(c.count);
        run();
        std::vector<std::string> expected;
        for (int n = 1; n <= c.pages; ++n) {
            expected.push_back(c.mode == 0 ? "/search?keyword=%E4%B8%AD&p=" + std::to_string(n)
                                           : "/search/%E4%B8%AD/" + std::to_string(n));
        }
        const std::string label = std::to_string(c.mode) + "/" + c.count;
        EXPECT_EQ(targets(c.mode == 0 ? bt : dht), expected) << label;
        EXPECT_TRUE(targets(c.mode == 0 ? dht : bt).empty()) << label;
    }
}

TEST_F(MagnetSearchTest, KeywordIsSentAsPercentEncodedUtf8) {
    const std::pair<const char*, const char*> cases[] = {
        {"中", "%E4%B8%AD"}, {"ab", "%61%62"}, {" ", "%20"}, {"a b", "%61%20%62"}, {"", ""}};
    port.setMode(0);
    for (const auto& [keyword, code] : cases) {
        bt.clearRequests();
        port.setKeywordUtf8(keyword);
        run();
        EXPECT_EQ(targets(bt),
                  std::vector<std::string>{std::string("/search?keyword=") + code + "&p=1"})
            << keyword;
    }
}

const std::vector<Row> kBtRows{
    {"1", "中文 影片 合集<", "1.2 GB", "2023-04-05", "magnet:?xt=urn:btih:AB12CD34"},
    // The "<" put in front of a cut stays when the cut holds no ">".
    {"2", "Name<", "700 MB", "<2021-12-31", "magnet:?xt=urn:btih:ABC"},
    // No field markers at all.
    {"3", "<", "<", "<", "magnet:?xt=urn:btih:"},
    {"4", "第二页 Page 2<", "3 KB", "2020-02-02", "magnet:?xt=urn:btih:P2P2"},
};

TEST_F(MagnetSearchTest, BtRowsNumberedAcrossPages) {
    btPages({{"1", served("bt_page1.html")}, {"2", served("bt_page2.html")}});
    port.setCount("40");
    run();
    EXPECT_EQ(port.rows(), kBtRows);
    EXPECT_EQ(port.statusLog(), (std::vector<std::string>{std::string("status 5 ") + kBtText,
                                                          "status 1 搜索完成", "status 3 4"}));
    EXPECT_EQ(port.log().front(), "clear");
    EXPECT_TRUE(targets(dht).empty());
}

const std::vector<Row> kDhtRows{
    // The size keeps the markup and blanks between its markers.
    {"1", "Big Buck Bunny 中文字幕", "<b>2.5 GB</b> ", "2022-01-02 10:00",
     "magnet:?xt=urn:btih:ABC"},
    // The link is cut from the decoded record.
    {"2", "Second", " 700 MB  ", "2019-09-09", "magnet:?xt=urn:btih:XYZ&dn=中"},
    {"3", "", "", "", "magnet"},
    {"4", "第二页 p2", "1 GB", "2018-08-08", "magnet:?xt=urn:btih:D2"},
};

TEST_F(MagnetSearchTest, DhtRowsNumberedAcrossPages) {
    dhtPage("%E4%B8%AD", 1, "dht_page1.html");
    dhtPage("%E4%B8%AD", 2, "dht_page2.html");
    port.setMode(1);
    run();
    EXPECT_EQ(port.rows(), kDhtRows);
    EXPECT_EQ(port.statusLog(), (std::vector<std::string>{std::string("status 5 ") + kDhtText,
                                                          "status 1 搜索完成", "status 3 4"}));
    EXPECT_TRUE(targets(bt).empty());
}

TEST_F(MagnetSearchTest, EveryPageIsFetchedWhenSomeYieldNothing) {
    // Page 1 holds no records, page 2 is not found, page 3 has a row, page 4 breaks
    // off inside its first record, page 5 has a row again.
    const std::string broken = fixture("bt_page1.html");
    btPages({{"1", served("no_records.html")},
             {"3", served("bt_page2.html")},
             {"4", test::FixtureResponse::resetAfter(broken, broken.find("data-hash"))},
             {"5", served("bt_page2.html")}});
    port.setCount("100");
    run();
    EXPECT_EQ(targets(bt).size(), 5u);
    Row first = kBtRows[3];
    first[0] = "1";
    Row second = kBtRows[3];
    second[0] = "2";
    EXPECT_EQ(port.rows(), (std::vector<Row>{first, second}));
    EXPECT_EQ(port.statusLog().back(), "status 3 2");
}

TEST_F(MagnetSearchTest, SwitchingToDhtDuringTheBtRunGivesBothRuns) {
    btPages({{"1", served("bt_page1.html")}});
    dhtPage("%E4%B8%AD", 1, "dht_page1.html");
    dhtPage("%E4%B8%AD", 2, "dht_page2.html");
    onBtRequest = [this](const test::RecordedRequest&) { port.setMode(1); };
    run();

    EXPECT_EQ(targets(bt), std::vector<std::string>{"/search?keyword=%E4%B8%AD&p=1"});
    EXPECT_EQ(targets(dht),
              (std::vector<std::string>{"/search/%E4%B8%AD/1", "/search/%E4%B8%AD/2"}));
    // The DHT rows go on from the BT樱桃 rows.
    std::vector<Row> expected(kBtRows.begin(), kBtRows.begin() + 3);
    for (Row row : kDhtRows) {
        row[0] = std::to_string(std::stoi(row[0]) + 3);
        expected.push_back(row);
    }
    EXPECT_EQ(port.rows(), expected);
    EXPECT_EQ(port.statusLog(), (std::vector<std::string>{std::string("status 5 ") + kBtText,
                                                          std::string("status 5 ") + kDhtText,
                                                          "status 1 搜索完成", "status 3 7"}));
}

TEST_F(MagnetSearchTest, ModeReadOnlyAtTheStartOfEachRun) {
    // Switching from DHT to BT樱桃 during the DHT run starts no BT樱桃 run, and
    // without a selected mode nothing runs.
    dhtPage("%E4%B8%AD", 1, "dht_page2.html");
    dht.route("/search/%E4%B8%AD/2", [this](const test::RecordedRequest&) {
        port.setMode(0);
        return served("no_records.html");
    });
    port.setMode(1);
    run();
    EXPECT_EQ(targets(dht).size(), 2u);
    EXPECT_TRUE(targets(bt).empty());

    MagnetPort unselected;
    unselected.setMode(-1);
    unselected.setCount("100");
    MagnetSearch search(bt.hostAndPort(), dht.hostAndPort());
    runSearch(search, unselected, *makeStopToken());
    EXPECT_EQ(unselected.log(),
              (std::vector<std::string>{"clear", "status 1 搜索完成", "enable", "status 3 0"}));
    EXPECT_TRUE(targets(bt).empty());
}

TEST_F(MagnetSearchTest, NoCountStillShowsTheSourceAndFetchesNothing) {
    port.setCount("");
    port.setMode(1);
    run();
    EXPECT_EQ(port.log(), (std::vector<std::string>{"clear", std::string("status 5 ") + kDhtText,
                                                    "status 1 搜索完成", "enable", "status 3 0"}));
    EXPECT_TRUE(targets(dht).empty());
}

TEST_F(MagnetSearchTest, KeywordIsReadBeforeEveryPage) {
    std::atomic<int> seen{0};
    btPages({{"1", served("no_records.html")}, {"2", served("no_records.html")}});
    onBtRequest = [this, &seen](const test::RecordedRequest&) {
        if (++seen == 1) port.setKeywordUtf8("ab");
    };
    port.setCount("40");
    run();
    EXPECT_EQ(targets(bt), (std::vector<std::string>{"/search?keyword=%E4%B8%AD&p=1",
                                                     "/search?keyword=%61%62&p=2"}));
}

TEST(MagnetCount, ComboTextTakenAsNumber) {
    const std::pair<const char*, int> cases[] = {
        {"20", 20},  {"100", 100}, {"", 0},      {"abc", 0},
        {" 40", 40}, {"60x", 60},  {"-20", -20}, {"99999999999", 0},
    };
    for (const auto& [text, count] : cases) EXPECT_EQ(magnetCountFromText(text), count) << text;
    EXPECT_EQ(magnetPageCount(MagnetSource::bt, 39), 1);
    EXPECT_EQ(magnetPageCount(MagnetSource::dht, 39), 3);
    EXPECT_EQ(magnetPageCount(MagnetSource::dht, -20), 0);
}

}  // namespace
}  // namespace orvanix
