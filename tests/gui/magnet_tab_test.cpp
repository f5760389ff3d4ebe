// The magnet tab in the real window (offscreen): a search against two fixture
// servers with the mode switched while it runs, and the list's menu with the shell
// faked.
#include <gtest/gtest.h>
#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <chrono>
#include <future>

#include "app/gui/event_map.h"
#include "app/gui/main_window.h"
#include "app/process_state.h"
#include "fake_shell.h"
#include "search/gui/magnet_tab.h"
#include "search/gui/search_control.h"
#include "search/gui/search_tabs.h"
#include "search/magnet_sources.h"
#include "support/fixture_server.h"
#include "support/paths.h"

namespace orvanix {
namespace {

using namespace std::chrono_literals;

QString u(const char* text) {
    return QString::fromUtf8(text);
}

test::FixtureResponse served(const char* name) {
    return test::FixtureResponse::page(
        test::readWholeFile(test::fixturesDir() + "/magnet/" + name).value_or(""));
}

class MagnetTabTest : public testing::Test {
protected:
    MagnetTabTest() {
        window.setShell(std::make_unique<test::FakeShell>(shell));
        attachSearch(window, processState());
        Endpoints table;
        table.setHost(Endpoint::magnetBt, bt.hostAndPort());
        table.setHost(Endpoint::magnetDht, dht.hostAndPort());
        SearchControl::of(window)->setEngine(kMagnetTab,
                                             [table] { return makeMagnetSearch(table); });
    }

    ~MagnetTabTest() override {
        bt.stop();
        dht.stop();
        (void)QTest::qWaitFor([] { return SearchControl::runningWorkers() == 0; }, 15000);
    }

    template <typename T>
    T* control(const char* name) {
        return window.control<T>(u(name));
    }
    ReportList& list() { return window.reportList(u("超级列表框_磁链检索内容")); }
    QString status(int part) { return window.statusBar().part(part); }
    QStringList column(int column) {
        QStringList cells;
        for (int row = 0; row < list().rows().rowCount(); ++row) {
            cells << list().rows().cell(row, column);
        }
        return cells;
    }
    void trigger(const char* item) {
        QAction* action = window.menuAction(u("磁链超级列表框"), u(item));
        ASSERT_NE(action, nullptr) << item;
        action->trigger();
    }

    test::FakeShell::Log shell;
    MainWindow window;
    test::FixtureServer bt;
    test::FixtureServer dht;
};

TEST_F(MagnetTabTest, SwitchingToDhtDuringTheBtRunListsBothSources) {
    // The BT樱桃 page is held back until the mode combo has been switched.
    std::promise<void> switched;
    std::shared_future<void> released = switched.get_future().share();
    bt.route("/search", [released](const test::RecordedRequest&) {
        released.wait_for(20s);
        return served("bt_page1.html");
    });
    dht.route("/search/%E4%B8%AD/1", served("dht_page1.html"));
    dht.route("/search/%E4%B8%AD/2", served("dht_page2.html"));

    control<QLineEdit>("编辑框_搜索的内容1")->setText(u("中"));
    control<QComboBox>("组合框_模式")->setCurrentIndex(0);
    control<QComboBox>("组合框1")->setCurrentIndex(0);  // "20"
    control<QPushButton>("按钮_开始搜索_磁链搜索")->click();

    ASSERT_TRUE(QTest::qWaitFor([this] { return !bt.requests().empty(); }, 10000));
    EXPECT_EQ(status(5), u("基于DHT协议的BT资源搜索引擎，所有资源来源于爬虫24小时从DHT网络自动"
                           "抓取，所有排行数据由程序自动生成。"));
    control<QComboBox>("组合框_模式")->setCurrentIndex(1);
    switched.set_value();

    ASSERT_TRUE(QTest::qWaitFor(
        [this] { return status(1) == u("搜索完成") && SearchControl::runningWorkers() == 0; },
        10000));
    EXPECT_EQ(bt.requests().size(), 1u);
    EXPECT_EQ(dht.requests().size(), 2u);
    EXPECT_EQ(column(kMagnetNumber), (QStringList{"1", "2", "3", "4", "5", "6", "7"}));
    EXPECT_EQ(column(kMagnetName),
              (QStringList{u("中文 影片 合集<"), "Name<", "<", "Big Buck Bunny " + u("中文字幕"),
                           "Second", "", u("第二页 p2")}));
    EXPECT_EQ(
        column(kMagnetLink),
        (QStringList{"magnet:?xt=urn:btih:AB12CD34", "magnet:?xt=urn:btih:ABC",
                     "magnet:?xt=urn:btih:", "magnet:?xt=urn:btih:ABC",
                     "magnet:?xt=urn:btih:XYZ&dn=" + u("中"), "magnet", "magnet:?xt=urn:btih:D2"}));
    EXPECT_EQ(status(5), u("基于DHT协议的BT资源搜索引擎，国外网站搜索速度较慢.."));
    EXPECT_EQ(status(3), u("7"));
    EXPECT_TRUE(control<QPushButton>("按钮_开始搜索_磁链搜索")->isEnabled());
}

TEST_F(MagnetTabTest, MenuItemsActOnTheSelectedLink) {
    const QString home = netdiskHomeAddress(endpoints());
    struct Case {
        const char* link;  // the selected row's "磁链" cell; nullptr: no row selected
        bool handedToShell;
    };
    const Case cases[] = {
        {"magnet:?xt=urn:btih:ABC", true},
        {"magnet:?xt=urn:btih:", true},
        {nullptr, false},
        {"", false},
        {"magnet", false},
        {"<", false},
        {"http://example.com/a.torrent", false},
    };
    for (const Case& c : cases) {
        const QString link = c.link ? u(c.link) : QString();
        list().rows().clear();
        list().setCurrentIndex({});
        list().rows().appendRow(u("1"));
        list().rows().setCell(0, kMagnetLink, u("magnet:?xt=urn:btih:OTHER"));
        if (c.link) {
            const int row = list().rows().appendRow(u("2"));
            list().rows().setCell(row, kMagnetLink, link);
            list().setCurrentIndex(list().rows().index(row, kMagnetLink));
        }
        shell = {};

        trigger("下载文件(必需安装迅雷或其它magnet工具)");
        EXPECT_EQ(shell.opened, c.handedToShell ? QStringList{link} : QStringList{}) << c.link;

        shell = {};
        trigger("复制链接");
        EXPECT_EQ(shell.clipboard, QStringList{link}) << c.link;
        EXPECT_TRUE(shell.opened.isEmpty());

        // The netdisk page is opened whatever the link.
        shell = {};
        trigger("在线观看|复制链接并打开百度网盘离线下载后可在线观看");
        EXPECT_EQ(shell.clipboard, QStringList{link}) << c.link;
        EXPECT_EQ(shell.opened, QStringList{home}) << c.link;
    }
    EXPECT_TRUE(home.startsWith(u("http://")));
}

TEST_F(MagnetTabTest, ClearAllEmptiesTheListAndResetsTheRowCount) {
    for (int rows : {2, 0}) {
        for (int i = 0; i < rows; ++i) list().rows().appendRow(QString::number(i + 1));
        window.statusBar().setPart(3, u("9"));
        trigger("全部清空");
        EXPECT_EQ(list().rows().rowCount(), 0);
        EXPECT_EQ(status(3), u("0"));
    }
}

}  // namespace
}  // namespace orvanix
