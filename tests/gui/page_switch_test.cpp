#include "app/gui/page_switch.h"

#include <QLabel>
#include <QSignalSpy>
#include <QTabWidget>

#include <atomic>
#include <cstdlib>
#include <thread>

#include "app/gui/feedback_page.h"
#include "app/settings_keys.h"
#include "settings_fixture.h"
#include "support/fixture_server.h"
#include "support/paths.h"
#include "web/endpoints.h"

namespace orvanix::test {
namespace {

class PageSwitch : public SettingsFixture {
protected:
    static int pageRequests(const FixtureServer& server) {
        int count = 0;
        for (const auto& request : server.requests()) {
            count += request.path() == "/orvlune/access/index.php" ? 1 : 0;
        }
        return count;
    }

    // Runs the handling on a thread of its own, as the start-up restore does,
    // while this (GUI) thread serves its requests.
    void switchOnWorker(int page) {
        std::atomic<bool> done{false};
        std::thread worker([&] {
            handlePageSwitch(window, page);
            done = true;
        });
        const bool finished = QTest::qWaitFor([&] { return done.load(); }, 10000);
        worker.join();
        ASSERT_TRUE(finished);
    }
};

TEST_F(PageSwitch, RunsOnAWorkerThread) {
    switchOnWorker(2);
    EXPECT_EQ(readSetting(setting::kPage), "2");
    EXPECT_EQ(window.statusBar().part(5), u("百度网盘;海量资源;想存就存;想看就看."));

    const std::uint64_t loads = siteListLoadsStarted();
    switchOnWorker(0);
    EXPECT_EQ(siteListLoadsStarted(), loads + 1);
    EXPECT_EQ(window.statusBar().part(5), u("主流网盘搜索,支持自定义添加."));
}

// A page the tab control does not have is saved and changes nothing else.
TEST_F(PageSwitch, UnknownPageIsOnlySaved) {
    handlePageSwitch(window, 3);
    const QString description = window.statusBar().part(5);
    for (int page : {7, -1}) {
        handlePageSwitch(window, page);
        EXPECT_EQ(readSetting(setting::kPage), std::to_string(page));
        EXPECT_EQ(window.statusBar().part(5), description);
    }
}

// A start restored onto page 4 shows its window first: the page (here: the
// search for the plugin, which this run directory does not have) waits until
// the window is on screen.
TEST_F(PageSwitch, FeedbackPageWaitsUntilTheWindowIsShown) {
    auto* notice = window.control<QLabel>(u("反馈提示"));
    ASSERT_NE(notice, nullptr);
    window.hide();
    switchOnWorker(4);
    EXPECT_EQ(window.statusBar().part(5), u("有什么意见或建议都说出来吧!我会很快解决的哈!"));
    EXPECT_TRUE(notice->toolTip().isEmpty());  // nothing looked for yet

    window.show();
    EXPECT_TRUE(QTest::qWaitFor([&] { return !notice->toolTip().isEmpty(); }, 5000));
    EXPECT_FALSE(notice->isHidden());  // no plugin: the notice stays
}

// Page 4 loads the web view plugin from <run directory>/plugins and shows the
// feedback page served on 127.0.0.1; each visit loads it anew.
TEST_F(PageSwitch, FeedbackPageShowsTheServedPage) {
    FixtureServer server;
    ASSERT_TRUE(server.running());
    server.route("/orvlune/access/index.php",
                 FixtureResponse::page("<html><head><title>feedback-fixture</title></head>"
                                       "<body><h1>Feedback</h1></body></html>"));
    const std::string endpointsFile = (dir / "endpoints.ini").string();
    std::ofstream(endpointsFile) << "[endpoints]\nmaker=" << server.hostAndPort() << "\n";
    ::setenv("ORVANIX_ENDPOINTS", endpointsFile.c_str(), 1);
    if (endpointHost(Endpoint::maker) != server.hostAndPort()) {
        GTEST_SKIP() << "the endpoint table was read before this test; run it on its own "
                        "(ctest runs every test in a process of its own)";
    }
    processState().runDirectory = buildDir();
    // The web engine refuses to start as root (as in CI) with its sandbox on.
    const std::string plugin = buildDir() + "/" + kFeedbackPluginFile.toStdString();
    ASSERT_TRUE(std::filesystem::exists(plugin)) << plugin << " is not built";

    window.show();
    window.tabs().setCurrentIndex(4);
    auto* frame = control<QWidget>("超文本浏览框_反馈");
    auto* view = frame->findChild<QWidget*>(u("反馈网页"));
    ASSERT_NE(view, nullptr);
    EXPECT_TRUE(control<QLabel>("反馈提示")->isHidden());
    EXPECT_EQ(view->geometry(), frame->rect());
    EXPECT_TRUE(QTest::qWaitFor(
        [&] { return view->property("title").toString() == u("feedback-fixture"); }, 30000));
    EXPECT_EQ(view->property("url").toUrl(), QUrl(feedbackPageAddress()));
    EXPECT_EQ(pageRequests(server), 1);

    // Another visit loads the page again, into the same view.
    window.tabs().setCurrentIndex(1);
    window.tabs().setCurrentIndex(4);
    EXPECT_TRUE(QTest::qWaitFor([&] { return pageRequests(server) == 2; }, 30000));
    EXPECT_EQ(frame->findChildren<QWidget*>(u("反馈网页")).size(), 1);
}

}  // namespace
}  // namespace orvanix::test
