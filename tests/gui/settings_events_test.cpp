#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QTabBar>
#include <QTabWidget>

#include "app/settings_keys.h"
#include "settings_fixture.h"

namespace orvanix::test {
namespace {

class SettingsEvents : public SettingsFixture {};

// Each keyword box writes its whole text under 搜索内容 of its own section after
// every character typed or deleted.
TEST_F(SettingsEvents, KeywordIsWrittenAfterEveryCharacter) {
    for (const ControlSetting& entry : kKeywordSettings) {
        SCOPED_TRACE(entry.control);
        auto* box = control<QLineEdit>(entry.control);
        QTest::keyClick(box, Qt::Key_A);
        EXPECT_EQ(readSetting(entry.setting), "a");
        QTest::keyClick(box, Qt::Key_B);
        EXPECT_EQ(readSetting(entry.setting), "ab");
        QTest::sendKeyEvent(QTest::Click, box, Qt::Key_unknown, u("中"), Qt::NoModifier);
        EXPECT_EQ(readSetting(entry.setting), gbk("ab中"));
        QTest::keyClick(box, Qt::Key_Backspace);
        EXPECT_EQ(readSetting(entry.setting), "ab");
    }
    // The four values sit side by side in their own sections.
    for (const ControlSetting& entry : kKeywordSettings) {
        EXPECT_EQ(readSetting(entry.setting), "ab") << entry.control;
    }
}

// A user's pick in a count or mode combo writes the item's index, never its text.
struct ComboPick {
    const char* combo;
    Qt::Key key;
    std::string written;
};

TEST_F(SettingsEvents, UserPickWritesTheIndex) {
    const ComboPick picks[] = {
        {"组合框4", Qt::Key_Down, "1"},  // "40"
        {"组合框1", Qt::Key_End, "4"},   // "100"
        {"组合框_模式", Qt::Key_Down, "1"}, {"组合框2", Qt::Key_End, "9"},
        {"组合框3", Qt::Key_Down, "1"},     {"组合框_百度云模式", Qt::Key_End, "2"},
    };
    for (const auto& pick : picks) {
        SCOPED_TRACE(pick.combo);
        auto* combo = control<QComboBox>(pick.combo);
        QTest::keyClick(combo, pick.key);
        const auto entry =
            std::find_if(std::begin(kComboSettings), std::end(kComboSettings),
                         [&](const auto& e) { return e.control == std::string_view(pick.combo); });
        ASSERT_NE(entry, std::end(kComboSettings));
        EXPECT_EQ(readSetting(entry->setting), pick.written);
    }
    EXPECT_EQ(control<QComboBox>("组合框4")->currentText(), u("40"));
}

// Selections made by the program (as the start-up restore makes them) write nothing.
TEST_F(SettingsEvents, ProgramSelectionWritesNothing) {
    for (const ControlSetting& entry : kComboSettings) {
        control<QComboBox>(entry.control)->setCurrentIndex(1);
    }
    control<QComboBox>("组合框_皮肤")->setCurrentIndex(2);
    EXPECT_FALSE(configExists());
}

// A page switch by the user saves the page and shows its description; page 0
// reloads the site list each time; page 4 without the web view plugin keeps
// its notice.
TEST_F(SettingsEvents, PageSwitchSavesPageAndDescription) {
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    const char* descriptions[] = {
        "主流网盘搜索,支持自定义添加.",
        "海量资源随心搜索,离线下载在线观看更方便.你懂得!",
        "百度网盘;海量资源;想存就存;想看就看.",
        "直接点击销量或价格可进行排序搜索",
        "有什么意见或建议都说出来吧!我会很快解决的哈!",
    };
    QTabBar* bar = window.tabs().tabBar();
    for (int page : {1, 2, 3, 4, 0, 1, 0}) {
        SCOPED_TRACE(page);
        const std::uint64_t loads = siteListLoadsStarted();
        QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(page).center());
        ASSERT_EQ(window.tabs().currentIndex(), page);
        EXPECT_EQ(readSetting(setting::kPage), std::to_string(page));
        EXPECT_EQ(window.statusBar().part(5), u(descriptions[page]));
        EXPECT_EQ(siteListLoadsStarted(), loads + (page == 0 ? 1 : 0));
    }
    EXPECT_FALSE(control<QLabel>("反馈提示")->isHidden());
    EXPECT_EQ(control<QWidget>("超文本浏览框_反馈")->findChild<QWidget*>(u("反馈网页")), nullptr);
}

}  // namespace
}  // namespace orvanix::test
