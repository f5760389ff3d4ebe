#include "app/gui/startup_restore.h"

#include <QComboBox>
#include <QLineEdit>
#include <QTabBar>
#include <QTabWidget>

#include <mutex>

#include "app/gui/startup.h"
#include "app/settings_keys.h"
#include "settings_fixture.h"

namespace orvanix::test {
namespace {

class StartupRestore : public SettingsFixture {
protected:
    // Runs the created handler, as the program does once the window exists, and
    // waits until the restore worker has shown the window and ended.
    void start() {
        runCreatedHandler(window, processState());
        ASSERT_TRUE(QTest::qWaitFor([&] { return window.isVisible(); }, 10000));
        ASSERT_TRUE(QTest::qWaitFor(
            [&] {
                std::unique_lock lock(processState().startupLock, std::try_to_lock);
                return lock.owns_lock();
            },
            10000));
    }

    int selected(const char* combo) { return control<QComboBox>(combo)->currentIndex(); }
    QString keyword(const char* box) { return control<QLineEdit>(box)->text(); }
};

// The pieces joined into one text.
std::string join(std::initializer_list<std::string> pieces) {
    std::string text;
    for (const auto& piece : pieces) text.append(piece);
    return text;
}

// A config.ini as the user left it, hand-edited a little (comment, odd case,
// an unknown key).
std::string preparedConfig() {
    return join({"; kept by hand\r\n",
                 "[",
                 gbk("全局"),
                 "]\r\n",
                 gbk("皮肤"),
                 "=3\r\n",
                 gbk("选择夹"),
                 "=2\r\n",
                 "extra=keep\r\n",
                 "\r\n",
                 "[orvan",
                 gbk("网盘搜索"),
                 "]\r\n",
                 gbk("搜索内容"),
                 "=",
                 gbk("电影 合集"),
                 "\r\n",
                 gbk("搜索数量"),
                 "=4\r\n",
                 "[",
                 gbk("大片搜索"),
                 "]\r\n",
                 gbk("搜索内容"),
                 "=magnet\r\n",
                 gbk("搜索数量"),
                 "=2\r\n",
                 gbk("模式"),
                 "=1\r\n",
                 "[",
                 gbk("百度网盘搜索"),
                 "]\r\n",
                 gbk("搜索内容"),
                 "=",
                 gbk("教程"),
                 "\r\n",
                 gbk("搜索数量"),
                 "=7\r\n",
                 gbk("模式"),
                 "=2\r\n",
                 "[",
                 gbk("购物"),
                 "]\r\n",
                 gbk("搜索内容"),
                 "=",
                 gbk("手机"),
                 "\r\n",
                 gbk("搜索数量"),
                 "=5\r\n"});
}

TEST_F(StartupRestore, EveryControlComesBack) {
    const std::string prepared = preparedConfig();
    setConfig(prepared);
    start();

    EXPECT_EQ(keyword("编辑框_搜索的内容"), u("电影 合集"));
    EXPECT_EQ(keyword("编辑框_搜索的内容1"), u("magnet"));
    EXPECT_EQ(keyword("编辑框_搜索的内容2"), u("教程"));
    EXPECT_EQ(keyword("编辑框_搜索的内容_购物"), u("手机"));
    EXPECT_EQ(selected("组合框_皮肤"), 3);
    EXPECT_EQ(selected("组合框4"), 4);
    EXPECT_EQ(selected("组合框1"), 2);
    EXPECT_EQ(selected("组合框_模式"), 1);
    EXPECT_EQ(selected("组合框2"), 7);
    EXPECT_EQ(selected("组合框_百度云模式"), 2);
    EXPECT_EQ(selected("组合框3"), 5);
    EXPECT_EQ(window.tabs().currentIndex(), 2);
    EXPECT_EQ(window.statusBar().part(5), u("百度网盘;海量资源;想存就存;想看就看."));
    EXPECT_TRUE(window.trayIcon().isVisible());
    EXPECT_EQ(processState().dbDirectory.get(), dir.string() + "/db/");
    // Nothing the restore set was written back: the file is as it was.
    EXPECT_EQ(config(), prepared);

    // The user's next page switch changes exactly the page's value.
    QTabBar* bar = window.tabs().tabBar();
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(3).center());
    std::string expected = prepared;
    const std::string before = join({gbk("选择夹"), "=2\r\n"});
    expected.replace(expected.find(before), before.size(), join({gbk("选择夹"), "=3\r\n"}));
    EXPECT_EQ(config(), expected);
}

TEST_F(StartupRestore, FirstRunWithoutFile) {
    start();
    for (const ControlSetting& entry : kKeywordSettings) EXPECT_EQ(keyword(entry.control), u(""));
    for (const ControlSetting& entry : kComboSettings) EXPECT_EQ(selected(entry.control), 0);
    EXPECT_EQ(selected("组合框_皮肤"), 0);
    EXPECT_EQ(window.tabs().currentIndex(), 0);
    EXPECT_EQ(window.statusBar().part(5), u("主流网盘搜索,支持自定义添加."));
    // The page switch run by the restore creates the file.
    EXPECT_EQ(config(), join({"[", gbk("全局"), "]\r\n", gbk("选择夹"), "=0\r\n"}));
}

// Stored values out of range or not numbers.
struct OddValues {
    std::string skin, count, page;  // 全局/皮肤, 百度网盘搜索/搜索数量, 全局/选择夹
    int skinIndex, countIndex, pageIndex;
    friend void PrintTo(const OddValues& c, std::ostream* out) {
        *out << testing::PrintToString(c.skin) << ' ' << testing::PrintToString(c.count) << ' '
             << testing::PrintToString(c.page);
    }
};

class StartupRestoreOdd : public StartupRestore, public testing::WithParamInterface<OddValues> {};

TEST_P(StartupRestoreOdd, ConvertsAndClamps) {
    const OddValues& c = GetParam();
    setConfig(join({"[", gbk("全局"), "]\r\n", gbk("皮肤"), "=", c.skin, "\r\n", gbk("选择夹"), "=",
                    c.page, "\r\n[", gbk("百度网盘搜索"), "]\r\n", gbk("搜索数量"), "=", c.count,
                    "\r\n"}));
    start();
    EXPECT_EQ(selected("组合框_皮肤"), c.skinIndex);
    EXPECT_EQ(selected("组合框2"), c.countIndex);
    EXPECT_EQ(window.tabs().currentIndex(), c.pageIndex);
    // The page switch of the restore saves the page that is really shown.
    EXPECT_EQ(readSetting(setting::kPage), std::to_string(c.pageIndex));
    // The combos' stored texts stay as they were.
    EXPECT_EQ(readSetting(setting::kSkin), c.skin);
    EXPECT_EQ(readSetting({setting::kShare, setting::kCountKey}), c.count);
}

INSTANTIATE_TEST_SUITE_P(Cases, StartupRestoreOdd,
                         testing::Values(OddValues{"7", "12", "3abc", 4, 9, 3},
                                         OddValues{"40", "-3", "abc", 4, -1, 0},
                                         OddValues{"-1", "2.9", gbk("３"), -1, 2, 3},
                                         OddValues{"2.9", "1e1", "9", 2, 9, 0},
                                         OddValues{"x", "-0.5", "-2", 0, 0, 0}));

// The restore waits for the start-up lock, held meanwhile by the version check.
TEST_F(StartupRestore, WaitsForTheStartupLock) {
    setConfig(join({"[", gbk("大片搜索"), "]\r\n", gbk("搜索内容"), "=later\r\n"}));
    std::unique_lock lock(processState().startupLock);
    runCreatedHandler(window, processState());
    QTest::qWait(300);
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(keyword("编辑框_搜索的内容1"), u(""));
    lock.unlock();
    EXPECT_TRUE(QTest::qWaitFor([&] { return window.isVisible(); }, 10000));
    EXPECT_EQ(keyword("编辑框_搜索的内容1"), u("later"));
    EXPECT_TRUE(QTest::qWaitFor(
        [&] {
            std::unique_lock again(processState().startupLock, std::try_to_lock);
            return again.owns_lock();
        },
        10000));
}

}  // namespace
}  // namespace orvanix::test
