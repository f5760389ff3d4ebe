// Starting and stopping searches in the real window (offscreen) against the
// fixture server: the netdisk tab end to end, the shared worker slot across tabs,
// Enter in a keyword box, exact stop with a hung server, the result-list menu.
#include <gtest/gtest.h>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <filesystem>
#include <mutex>

#include "app/gui/event_map.h"
#include "app/gui/main_window.h"
#include "app/process_state.h"
#include "fake_shell.h"
#include "search/gui/search_control.h"
#include "search/netdisk_search.h"
#include "sites/site_table.h"
#include "sites/ticked_sites.h"
#include "support/fixture_server.h"
#include "support/paths.h"
#include "web/code_page.h"

namespace orvanix {
namespace {

using namespace std::chrono_literals;

QString u(const char* text) {
    return QString::fromUtf8(text);
}

// Holds server replies back until the test lets them go.
class Gate {
public:
    void wait() {
        std::unique_lock lock(mutex_);
        changed_.wait_for(lock, 30s, [this] { return open_; });
    }
    void open() {
        {
            std::lock_guard lock(mutex_);
            open_ = true;
        }
        changed_.notify_all();
    }

private:
    std::mutex mutex_;
    std::condition_variable changed_;
    bool open_ = false;
};

// The tabs without an engine of their own yet get pages "/tabN/p1", "/tabN/p2".
class ListPagesEngine : public SearchEngine {
public:
    explicit ListPagesEngine(std::string base) : base_(std::move(base)) {}
    std::optional<PageRequest> nextPage(SearchPort&) override {
        if (next_ == 2) return std::nullopt;
        return PageRequest{base_ + "/p" + std::to_string(++next_), {}};
    }
    const RecordRule& records() const override { return kRule; }

private:
    static constexpr FieldRule kFields[] = {{1, "<b>", "</b>"}};
    static constexpr RecordRule kRule{"<li>", "</li>", kFields};
    std::string base_;
    int next_ = 0;
};

class SearchControlTest : public testing::Test {
protected:
    SearchControlTest() {
        window.setShell(std::make_unique<test::FakeShell>(shell));
        attachSearch(window, processState());
        control = SearchControl::of(window);

        dir = std::filesystem::temp_directory_path() /
              ("orvanix-search-gui-" + std::to_string(reinterpret_cast<std::uintptr_t>(this)));
        std::filesystem::create_directories(dir);
        tablePath = (dir / "wp.edb").string();

        server.route("/s", [this](const test::RecordedRequest& request) {
            const std::string target = request.target();
            auto has = [&](const char* site) {
                return target.find(std::string("site%3A") + site + "%20") != std::string::npos;
            };
            if (has("pan.hang.example")) return test::FixtureResponse::hang();
            if (has("pan.a.example") && gateA) gateA->wait();
            if (has("pan.b.example") && ++bRequests == 2 && gateSecondB) gateSecondB->wait();
            const char* file = has("pan.a.example")   ? "site_a.html"
                               : has("pan.b.example") ? "site_b.html"
                                                      : "no_hits.html";
            return test::FixtureResponse::page(
                test::readWholeFile(test::fixturesDir() + "/netdisk/" + file).value_or(""));
        });
        for (const char* tab : {"/tab1", "/tab2"}) {
            server.route(std::string(tab) + "/p1",
                         test::FixtureResponse::page("<li><b>x</b></li><li><b>y</b></li>"));
            server.route(std::string(tab) + "/p2", test::FixtureResponse::hang());
        }
        const std::string host = server.hostAndPort();
        const std::string table = tablePath;
        control->setEngine(kNetdiskTab, [host, table] {
            return std::make_unique<NetdiskSearch>(
                host, [table](const auto& names) { return tickedSitePairs(table, names); });
        });
        const std::string base = server.baseUrl();
        control->setEngine(kMagnetTab,
                           [base] { return std::make_unique<ListPagesEngine>(base + "/tab1"); });
        control->setEngine(kShareTab,
                           [base] { return std::make_unique<ListPagesEngine>(base + "/tab2"); });

        keywordBox()->setText(u("资料"));
    }

    ~SearchControlTest() override {
        gate.open();
        server.stop();  // ends hung replies, so every worker can finish
        EXPECT_TRUE(QTest::qWaitFor([] { return SearchControl::runningWorkers() == 0; }, 15000));
        std::error_code ignored;
        std::filesystem::remove_all(dir, ignored);
    }

    // The site table and page 0's check list: (name, address, ticked).
    void sites(std::initializer_list<std::tuple<const char*, const char*, bool>> entries) {
        std::vector<SiteRecord> records;
        auto* list = window.control<QListWidget>(u("选择列表框_网盘资源"));
        list->clear();
        for (const auto& [name, address, ticked] : entries) {
            records.push_back({utf8ToGbk(name), address});
            auto* item = new QListWidgetItem(u(name), list);
            item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
            item->setCheckState(ticked ? Qt::Checked : Qt::Unchecked);
        }
        std::filesystem::remove(tablePath);
        ASSERT_TRUE(createSiteTable(tablePath, records));
    }

    QLineEdit* keywordBox(int tab = kNetdiskTab) {
        return window.control<QLineEdit>(u(kSearchTabControls[tab].keywordBox));
    }
    QPushButton* startButton(int tab) {
        return window.control<QPushButton>(u(kSearchTabControls[tab].startButton));
    }
    QPushButton* stopButton(int tab) {
        return window.control<QPushButton>(u(kSearchTabControls[tab].stopButton));
    }
    ReportList& list(int tab) { return window.reportList(u(kSearchTabControls[tab].resultList)); }
    QString status(int part) { return window.statusBar().part(part); }
    int rows(int tab = kNetdiskTab) { return list(tab).rows().rowCount(); }
    QStringList column(int tab, int column) {
        QStringList cells;
        for (int row = 0; row < rows(tab); ++row) cells << list(tab).rows().cell(row, column);
        return cells;
    }
    bool waitFor(const std::function<bool()>& done) { return QTest::qWaitFor(done, 10000); }
    // Waits for the server to have seen n requests, serving the workers' GUI requests meanwhile.
    bool requestsArrived(std::size_t n) {
        return waitFor([this, n] { return server.requests().size() >= n; });
    }
    bool workersEnd() {
        return waitFor([] { return SearchControl::runningWorkers() == 0; });
    }
    // The end steps are done and no worker runs any more.
    bool finished() {
        return waitFor(
            [this] { return status(1) == u("搜索完成") && SearchControl::runningWorkers() == 0; });
    }

    test::FakeShell::Log shell;
    MainWindow window;
    SearchControl* control = nullptr;
    test::FixtureServer server;
    std::filesystem::path dir;
    std::string tablePath;
    Gate gate;
    Gate* gateA = nullptr;
    Gate* gateSecondB = nullptr;
    std::atomic<int> bRequests{0};
};

TEST_F(SearchControlTest, NetdiskSearchRunsEndToEnd) {
    sites({{"甲盘", "pan.a.example", true},
           {"丙盘", "pan.none.example", false},
           {"乙盘", "pan.b.example", true}});
    window.statusBar().setPart(3, u("9"));
    startButton(kNetdiskTab)->click();
    EXPECT_EQ(status(1), u("正在搜索中。。。。"));
    EXPECT_FALSE(startButton(kNetdiskTab)->isEnabled());

    ASSERT_TRUE(finished());
    EXPECT_TRUE(startButton(kNetdiskTab)->isEnabled());
    EXPECT_EQ(status(3), u("4"));
    EXPECT_EQ(column(0, 0), (QStringList{"1", "2", "3", "4"}));
    EXPECT_EQ(column(0, 1), (QStringList{u("中文资料.zip"), "Report 2020.pdf", u("电影 ++more"),
                                         u("B盘文件.txt")}));
    EXPECT_EQ(column(0, 2), (QStringList{u("甲盘"), u("甲盘"), u("甲盘"), u("乙盘")}));
    EXPECT_EQ(column(0, 3), (QStringList{"1.5G", u("未提供"), u("未提供"), "42K"}));
    EXPECT_EQ(column(0, 4), (QStringList{"2019-05-01", u("未提供"), "2021-12-31", "2018-02-03"}));
    EXPECT_EQ(server.requests().size(), 2u);
    EXPECT_TRUE(workersEnd());
    // Paints held back while the rows streamed in are let through again.
    EXPECT_TRUE(waitFor([this] { return list(kNetdiskTab).updatesEnabled(); }));

    // A stop after the end keeps rows and count and only changes the status.
    stopButton(kNetdiskTab)->click();
    EXPECT_EQ(status(1), u("搜索已停止"));
    EXPECT_EQ(status(3), u("4"));
    EXPECT_EQ(rows(), 4);
}

TEST_F(SearchControlTest, StopBeforeAnySearchOnlySetsTheStatus) {
    EXPECT_EQ(control->slot(), nullptr);
    stopButton(kShareTab)->click();
    EXPECT_EQ(status(1), u("搜索已停止"));
    EXPECT_TRUE(startButton(kShareTab)->isEnabled());
    EXPECT_EQ(status(3), u("0"));
}

TEST_F(SearchControlTest, ASearchWithoutRowsEndsWithZero) {
    sites({{"丙盘", "pan.none.example", true}});
    window.statusBar().setPart(3, u("7"));
    startButton(kNetdiskTab)->click();
    ASSERT_TRUE(finished());
    EXPECT_EQ(status(3), u("0"));
    EXPECT_EQ(rows(), 0);
}

TEST_F(SearchControlTest, StopWithAHungServerIsExactAndKeepsTheRows) {
    sites({{"甲盘", "pan.a.example", true}, {"挂", "pan.hang.example", true}});
    startButton(kNetdiskTab)->click();
    ASSERT_TRUE(requestsArrived(2));
    ASSERT_TRUE(waitFor([this] { return rows() == 3; }));

    stopButton(kNetdiskTab)->click();
    EXPECT_EQ(status(1), u("搜索已停止"));
    EXPECT_TRUE(startButton(kNetdiskTab)->isEnabled());
    // The hung fetch is aborted: the worker ends although the server never answers.
    ASSERT_TRUE(workersEnd());
    QTest::qWait(50);
    EXPECT_EQ(status(1), u("搜索已停止"));
    EXPECT_EQ(status(3), u("0"));
    EXPECT_EQ(rows(), 3);
}

TEST_F(SearchControlTest, StopOnOneTabEndsTheSlotsWorkerOfAnother) {
    startButton(kMagnetTab)->click();
    ASSERT_TRUE(waitFor([this] { return rows(kMagnetTab) == 2; }));
    ASSERT_TRUE(requestsArrived(2));  // page 2 hangs

    startButton(kNetdiskTab)->setEnabled(false);
    stopButton(kNetdiskTab)->click();
    ASSERT_TRUE(workersEnd());
    EXPECT_EQ(rows(kMagnetTab), 2);
    EXPECT_EQ(status(1), u("搜索已停止"));
    EXPECT_TRUE(startButton(kNetdiskTab)->isEnabled());
    EXPECT_FALSE(startButton(kMagnetTab)->isEnabled());
    stopButton(kMagnetTab)->click();
    EXPECT_TRUE(startButton(kMagnetTab)->isEnabled());
}

TEST_F(SearchControlTest, OnlyTheNewestWorkerIsStopped) {
    sites({{"甲盘", "pan.a.example", true}});
    gateA = &gate;
    startButton(kNetdiskTab)->click();
    ASSERT_TRUE(requestsArrived(1));
    startButton(kShareTab)->click();
    ASSERT_TRUE(waitFor([this] { return rows(kShareTab) == 2; }));
    stopButton(kShareTab)->click();
    ASSERT_TRUE(waitFor([] { return SearchControl::runningWorkers() == 1; }));

    gate.open();
    ASSERT_TRUE(finished());
    EXPECT_EQ(rows(kNetdiskTab), 3);
    EXPECT_EQ(status(3), u("3"));
    EXPECT_TRUE(startButton(kNetdiskTab)->isEnabled());
    EXPECT_EQ(rows(kShareTab), 2);
}

TEST_F(SearchControlTest, EnterStartsAndFocusesTheListAndEnterAgainStartsASecondWorker) {
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    sites({{"乙盘", "pan.b.example", true}, {"甲盘", "pan.a.example", true}});
    gateA = &gate;
    gateSecondB = &gate;
    keywordBox()->setFocus();

    QTest::keyClick(keywordBox(), Qt::Key_Return);
    EXPECT_EQ(status(1), u("正在搜索中。。。。"));
    EXPECT_FALSE(startButton(kNetdiskTab)->isEnabled());
    EXPECT_TRUE(list(kNetdiskTab).hasFocus());
    const SharedStopToken first = control->slot();
    ASSERT_TRUE(waitFor([this] { return rows() == 1; }));  // site B listed, site A held back
    ASSERT_TRUE(requestsArrived(2));

    // The button is disabled, but Enter starts a second worker, which first empties the list.
    QTest::keyClick(keywordBox(), Qt::Key_Enter);
    EXPECT_NE(control->slot(), first);
    ASSERT_TRUE(waitFor([this] { return rows() == 0; }));
    ASSERT_TRUE(requestsArrived(3));

    gate.open();
    ASSERT_TRUE(workersEnd());
    // Both workers list into the same list: A's page for each, B's for the second.
    EXPECT_EQ(rows(), 7);
    EXPECT_EQ(status(1), u("搜索完成"));
    EXPECT_EQ(status(3), u("7"));
}

TEST_F(SearchControlTest, ClearingDuringASearchRestartsTheNumbering) {
    sites({{"乙盘", "pan.b.example", true}, {"甲盘", "pan.a.example", true}});
    gateA = &gate;
    startButton(kNetdiskTab)->click();
    ASSERT_TRUE(waitFor([this] { return rows() == 1; }));
    window.statusBar().setPart(3, u("5"));

    window.menuAction(u("超级列表框菜单"), u("清空所有项目"))->trigger();
    EXPECT_EQ(rows(), 0);
    EXPECT_EQ(status(3), u("0"));

    gate.open();
    ASSERT_TRUE(finished());
    EXPECT_EQ(column(0, 0), (QStringList{"1", "2", "3"}));
    EXPECT_EQ(status(3), u("3"));
}

TEST_F(SearchControlTest, OpenLinkOpensOnlyWebAddresses) {
    RowModel& model = list(kNetdiskTab).rows();
    const char* links[] = {"http://pan.a.example/s/1abc",
                           "HTTPS://pan.b.example/s/2",
                           "file:///etc/passwd",
                           "javascript:alert(1)",
                           "",
                           "/usr/bin/xterm"};
    for (const char* link : links) model.setCell(model.appendRow("n"), 5, u(link));
    QAction* open = window.menuAction(u("超级列表框菜单"), u("打开网盘链接"));

    open->trigger();  // no row selected
    for (int row = 0; row < model.rowCount(); ++row) {
        list(kNetdiskTab).setCurrentIndex(model.index(row, 0));
        open->trigger();
    }
    EXPECT_EQ(shell.opened, (QStringList{links[0], links[1]}));
}

}  // namespace
}  // namespace orvanix
