// orvanix-cli magnet against the fixture server: its whole output for both sources,
// the defaults, and the command-line mistakes.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "cli_runner.h"
#include "search_temp_dir.h"
#include "support/fixture_server.h"
#include "support/paths.h"

namespace orvanix {
namespace {

using test::CliRun;

test::FixtureResponse served(const char* name) {
    return test::FixtureResponse::page(
        test::readWholeFile(test::fixturesDir() + "/magnet/" + name).value_or(""));
}

class CliMagnetTest : public testing::Test {
protected:
    CliMagnetTest() {
        // One server for both sites: their paths differ.
        server.route("/search", [](const test::RecordedRequest& request) {
            return request.target().ends_with("&p=1") ? served("bt_page1.html")
                                                      : served("no_records.html");
        });
        server.route("/search/%E4%B8%AD/1", served("dht_page1.html"));
        server.route("/search/%E4%B8%AD/2", served("dht_page2.html"));
        std::ofstream(dir.file("endpoints.ini"))
            << "[endpoints]\nmagnet_bt=" << server.hostAndPort()
            << "\nmagnet_dht=" << server.hostAndPort() << "\n";
    }

    // Runs the program with ORVANIX_ENDPOINTS pointing at the fixture server.
    CliRun run(const std::vector<std::string>& args) {
        const std::string program = test::buildDir() + "/orvanix-cli";
        EXPECT_TRUE(std::filesystem::exists(program)) << "build the orvanix-cli target first";
        return test::runProgram(program, args, dir.file("endpoints.ini"), dir.path());
    }

    std::vector<std::string> targets() const {
        std::vector<std::string> result;
        for (const auto& request : server.requests()) result.push_back(request.target());
        return result;
    }

    test::SearchTempDir dir;
    test::FixtureServer server;
};

const std::string kCaptions = "序号\t文件名\t文件大小\t收录时间\t磁链\n";

TEST_F(CliMagnetTest, DhtModePrintsTheRowsOfEveryPage) {
    const CliRun result = run({"magnet", "中", "--mode", "dht", "--count=20"});
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.out, kCaptions +
                              "1\tBig Buck Bunny 中文字幕\t<b>2.5 GB</b> \t2022-01-02 10:00\t"
                              "magnet:?xt=urn:btih:ABC\n"
                              "2\tSecond\t 700 MB  \t2019-09-09\tmagnet:?xt=urn:btih:XYZ&dn=中\n"
                              "3\t\t\t\tmagnet\n"
                              "4\t第二页 p2\t1 GB\t2018-08-08\tmagnet:?xt=urn:btih:D2\n");
    EXPECT_EQ(
        result.err,
        "状态：正在搜索中。。。。\n说明：基于DHT协议的BT资源搜索引擎，国外网站搜索速度较慢..\n"
        "状态：搜索完成\n列表数量：4\n");
    EXPECT_EQ(targets(), (std::vector<std::string>{"/search/%E4%B8%AD/1", "/search/%E4%B8%AD/2"}));
}

TEST_F(CliMagnetTest, BtModeAndTwentyAreTheDefaults) {
    const CliRun result = run({"magnet", "中"});
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.out,
              kCaptions +
                  "1\t中文 影片 合集<\t1.2 GB\t2023-04-05\tmagnet:?xt=urn:btih:AB12CD34\n"
                  "2\tName<\t700 MB\t<2021-12-31\tmagnet:?xt=urn:btih:ABC\n"
                  "3\t<\t<\t<\tmagnet:?xt=urn:btih:\n");
    EXPECT_EQ(targets(), std::vector<std::string>{"/search?keyword=%E4%B8%AD&p=1"});
}

TEST_F(CliMagnetTest, MistakesAreRefusedWithoutSearching) {
    const std::vector<std::string> cases[] = {
        {"magnet"},
        {"magnet", "x", "--mode", "BT"},
        {"magnet", "x", "--count", "30"},
        {"magnet", "x", "--count"},
        {"magnet", "x", "y"},
        {"magnet", "x", "--site", "a=b"},
    };
    for (const auto& args : cases) {
        const CliRun result = run(args);
        EXPECT_EQ(result.status, 2) << args.back();
        EXPECT_EQ(result.out, "") << args.back();
        EXPECT_NE(result.err.find("orvanix-cli magnet KEYWORD"), std::string::npos) << result.err;
    }
    EXPECT_TRUE(server.requests().empty());
}

}  // namespace
}  // namespace orvanix
