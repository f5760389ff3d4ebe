// orvanix-cli netdisk against the fixture server: its whole output, the escaping of
// cells, the sites from the run directory, and the command-line mistakes.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "cli_runner.h"
#include "search_temp_dir.h"
#include "sites/checked_sites.h"
#include "sites/site_table.h"
#include "support/fixture_server.h"
#include "support/paths.h"
#include "web/code_page.h"

namespace orvanix {
namespace {

using test::CliRun;

class CliNetdiskTest : public testing::Test {
protected:
    CliNetdiskTest() {
        server.route("/s", [](const test::RecordedRequest& request) {
            const std::string target = request.target();
            auto has = [&](const char* site) {
                return target.find(std::string("site%3A") + site + "%20") != std::string::npos;
            };
            if (has("pan.esc.example")) {
                return test::FixtureResponse::page(
                    "\t'y':'{\"title\":\"a%09b%0D%0Ac%5Cd\",\"url\":\"http://e/\\x\"}'>"
                    "<a class=\"\"><a data-nolog href=\"");
            }
            const char* file = has("pan.a.example")   ? "site_a.html"
                               : has("pan.b.example") ? "site_b.html"
                                                      : "no_hits.html";
            return test::FixtureResponse::page(
                test::readWholeFile(test::fixturesDir() + "/netdisk/" + file).value_or(""));
        });
        std::ofstream(dir.file("endpoints.ini"))
            << "[endpoints]\nweb_search=" << server.hostAndPort() << "\n";
    }

    // Runs the program with ORVANIX_ENDPOINTS pointing at the fixture server.
    CliRun run(const std::vector<std::string>& args, std::string program = {}) {
        if (program.empty()) program = test::buildDir() + "/orvanix-cli";
        EXPECT_TRUE(std::filesystem::exists(program)) << "build the orvanix-cli target first";
        return test::runProgram(program, args, dir.file("endpoints.ini"), dir.path());
    }

    test::SearchTempDir dir;
    test::FixtureServer server;
};

const std::string kCaptions = "序号\t文件名\t站点\t文件大小\t上传日期\t网盘链接\n";

TEST_F(CliNetdiskTest, PrintsTheRowsOfTheGivenSitesInOrder) {
    const CliRun result = run({"netdisk", "资料", "--count", "40", "--site", "乙盘=pan.b.example",
                               "--site=甲盘=pan.a.example"});
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.out,
              kCaptions +
                  "1\tB盘文件.txt\t乙盘\t42K\t2018-02-03\thttp://pan.b.example/s/9xyz\n"
                  "2\t中文资料.zip\t甲盘\t1.5G\t2019-05-01\thttp://pan.a.example/s/1abc\n"
                  "3\tReport 2020.pdf\t甲盘\t未提供\t未提供\thttps://pan.a.example/s/2def\n"
                  "4\t电影 ++more\t甲盘\t未提供\t2021-12-31\thttp://pan.a.example/s/3ghi\n");
    EXPECT_EQ(result.err, "状态：正在搜索中。。。。\n状态：搜索完成\n列表数量：4\n");
    const auto requests = server.requests();
    ASSERT_EQ(requests.size(), 2u);
    EXPECT_EQ(
        requests[0].target(),
        "/s?ie=utf-8&f=8&rsv_bp=1&tn=baidu&wd=site%3Apan.b.example%20%E8%B5%84%E6%96%99&rn=40");
}

TEST_F(CliNetdiskTest, EscapesTabsLineBreaksAndBackslashesInCells) {
    const CliRun result = run({"netdisk", "x", "--site", "e=pan.esc.example"});
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.out, kCaptions + "1\ta\\tb\\r\\nc\\\\d\te\t未提供\t未提供\thttp://e/\\\\x\n");
    ASSERT_EQ(server.requests().size(), 1u);
    EXPECT_NE(server.requests()[0].target().find("&rn=20"), std::string::npos)
        << "the first count item is the default";
}

TEST_F(CliNetdiskTest, WithoutSitesUsesTheTickedSitesBesideTheProgram) {
    // A copy of the program in a run directory of its own, with site table and ticks.
    const std::string program = dir.file("orvanix-cli");
    std::filesystem::copy_file(test::buildDir() + "/orvanix-cli", program);
    std::filesystem::create_directory(dir.file("db"));
    ASSERT_TRUE(createSiteTable(dir.file("db/wp.edb"), {{utf8ToGbk("甲盘"), "pan.a.example"},
                                                        {utf8ToGbk("丙盘"), "pan.none.example"},
                                                        {utf8ToGbk("乙盘"), "pan.b.example"}}));
    ASSERT_TRUE(writeCheckedSites(dir.file("xz.db"), {utf8ToGbk("乙盘"), utf8ToGbk("甲盘")}));

    const CliRun result = run({"netdisk", "x"}, program);
    EXPECT_EQ(result.status, 0) << result.err;
    // Table order, as the list shows it: site A's three rows, then site B's.
    EXPECT_EQ(result.out,
              kCaptions +
                  "1\t中文资料.zip\t甲盘\t1.5G\t2019-05-01\thttp://pan.a.example/s/1abc\n"
                  "2\tReport 2020.pdf\t甲盘\t未提供\t未提供\thttps://pan.a.example/s/2def\n"
                  "3\t电影 ++more\t甲盘\t未提供\t2021-12-31\thttp://pan.a.example/s/3ghi\n"
                  "4\tB盘文件.txt\t乙盘\t42K\t2018-02-03\thttp://pan.b.example/s/9xyz\n");
    EXPECT_EQ(server.requests().size(), 2u);
}

TEST_F(CliNetdiskTest, CommandLineMistakesAreRefusedWithStatusTwo) {
    const struct {
        std::vector<std::string> args;
        const char* message;
    } cases[] = {
        {{"netdisk", "x", "--count", "30"}, "unknown --count \"30\""},
        {{"netdisk", "x", "--count"}, "--count needs a value"},
        {{"netdisk"}, "keyword is missing"},
        {{"netdisk", "x", "--site", "nameonly"}, "NAME=ADDRESS"},
        {{"netdisk", "x", "--verbose"}, "unknown option"},
        {{"netdisk", "x", "y"}, "more than one keyword"},
        {{"magnetz", "x"}, "unknown subcommand"},
        {{}, "usage"},
    };
    for (const auto& c : cases) {
        const CliRun result = run(c.args);
        EXPECT_EQ(result.status, 2) << c.message;
        EXPECT_NE(result.err.find(c.message), std::string::npos) << result.err;
        EXPECT_EQ(result.out, "") << c.message;
    }
    EXPECT_TRUE(server.requests().empty());
}

}  // namespace
}  // namespace orvanix
