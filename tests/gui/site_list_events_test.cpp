#include <QCheckBox>
#include <QMenu>
#include <QPushButton>
#include <QTabWidget>

#include "app/settings.h"
#include "site_list_fixture.h"

namespace orvanix::test {
namespace {

const std::string kBaidu = "\xB0\xD9\xB6\xC8";  // 百度 in GBK

class SiteListEvents : public SiteListFixture {
protected:
    SiteListEvents() {
        makeTable(
            {{"A", "a.com"}, {"B", "b.com"}, {"C", "c.com"}, {"D", "d.com"}, {kBaidu, "e.com"}});
    }

    void click(const char* name) {
        QTest::mouseClick(window.control<QPushButton>(u(name)), Qt::LeftButton);
    }
    void clickSelectAll() {
        QTest::mouseClick(window.control<QCheckBox>(u("选择框1")), Qt::LeftButton, {},
                          QPoint(5, 8));
    }
    void select(int row) { list().setCurrentRow(row); }
    void triggerMenu(const char* item) {
        window.menuAction(u("选择框右键菜单"), u(item))->trigger();
    }
};

TEST_F(SiteListEvents, LoadShowsTableOrderWithTheFilesTicksAndWritesNothing) {
    writeBytes(checked(), "Unknown\r\nE\r\n" + kBaidu + "\r\nB\r\n");
    load();
    EXPECT_EQ(entries(), (QStringList{"A", "[x] B", "C", "D", u("[x] 百度")}));
    EXPECT_EQ(readBytes(checked()), "Unknown\r\nE\r\n" + kBaidu + "\r\nB\r\n");
}

TEST_F(SiteListEvents, EveryTickChangeRewritesTheFileInListOrder) {
    load();
    EXPECT_FALSE(std::filesystem::exists(checked()));  // a load writes nothing

    setTicked(4, true);
    setTicked(1, true);
    EXPECT_EQ(readBytes(checked()), "B\r\n" + kBaidu + "\r\n");
    EXPECT_EQ(tickedSiteNames(window), (std::vector<std::string>{"B", kBaidu}));

    setTicked(1, false);
    setTicked(4, false);
    EXPECT_TRUE(std::filesystem::exists(checked()));
    EXPECT_EQ(readBytes(checked()), "");
}

TEST_F(SiteListEvents, UnknownNamesInTheFileGoAtTheNextTick) {
    writeBytes(checked(), "Gone\r\nC\r\n");
    load();
    setTicked(0, true);
    EXPECT_EQ(readBytes(checked()), "A\r\nC\r\n");
}

TEST_F(SiteListEvents, SelectAllTicksEverythingThenNothing) {
    load();
    clickSelectAll();
    EXPECT_EQ(entries(), (QStringList{"[x] A", "[x] B", "[x] C", "[x] D", u("[x] 百度")}));
    EXPECT_EQ(readBytes(checked()), "A\r\nB\r\nC\r\nD\r\n" + kBaidu + "\r\n");

    clickSelectAll();
    EXPECT_EQ(entries(), (QStringList{"A", "B", "C", "D", u("百度")}));
    EXPECT_EQ(readBytes(checked()), "");
}

TEST_F(SiteListEvents, DuplicateNamesAreTickedTogetherAtTheNextLoad) {
    ASSERT_TRUE(appendSite(table(), "B", "b2.com"));
    load();
    setTicked(5, true);  // the second "B"
    EXPECT_EQ(readBytes(checked()), "B\r\n");
    load();
    EXPECT_EQ(entries(), (QStringList{"A", "[x] B", "C", "D", u("百度"), "[x] B"}));
}

// "删除" hides the entry until the next load; the files stay as they are.
TEST_F(SiteListEvents, DeleteAsksThenRemovesTheSelectedEntryFromTheListOnly) {
    writeBytes(checked(), "B\r\n");
    load();
    const std::string tableBefore = readBytes(table());

    messages.answer = false;
    select(1);
    click("按钮_删除网盘项目");
    EXPECT_EQ(messages.shown,
              QStringList{u("危险操作|此操作不可返回,请确认删除;我这里可没有后悔药!")});
    EXPECT_EQ(entries().size(), 5);

    messages.answer = true;
    click("按钮_删除网盘项目");
    EXPECT_EQ(entries(), (QStringList{"A", "C", "D", u("百度")}));
    EXPECT_TRUE(tickedSiteNames(window).empty());  // not searched any more
    EXPECT_EQ(readBytes(checked()), "B\r\n");
    EXPECT_TRUE(readBytes(table()) == tableBefore);

    window.tabs().setCurrentIndex(1);
    window.tabs().setCurrentIndex(0);
    waitForLoads();
    EXPECT_EQ(entries(), (QStringList{"A", "[x] B", "C", "D", u("百度")}));
}

TEST_F(SiteListEvents, DeleteWithNothingSelectedAsksAndChangesNothing) {
    load();
    list().clearSelection();
    click("按钮_删除网盘项目");
    EXPECT_EQ(messages.shown.size(), 1);
    EXPECT_EQ(entries().size(), 5);
}

// "删除此项" deletes from the table: the first record with the selected name, even
// when the second entry of that name is the one selected.
TEST_F(SiteListEvents, DeleteItemRemovesTheFirstRecordOfTheNameAndReloads) {
    ASSERT_TRUE(appendSite(table(), "A", "a2.com"));
    writeBytes(checked(), "A\r\n");
    load();
    select(5);
    triggerMenu("删除此项");
    waitForLoads();

    EXPECT_EQ(
        readSiteTable(table()),
        (std::vector<SiteRecord>{
            {"B", "b.com"}, {"C", "c.com"}, {"D", "d.com"}, {kBaidu, "e.com"}, {"A", "a2.com"}}));
    EXPECT_EQ(entries(), (QStringList{"B", "C", "D", u("百度"), "[x] A"}));
    EXPECT_EQ(readBytes(checked()), "A\r\n");     // not rewritten
    EXPECT_EQ(readSetting(setting::kPage), "0");  // the page switch ran
    EXPECT_TRUE(messages.shown.isEmpty());
}

TEST_F(SiteListEvents, DeleteItemWithNothingSelectedDeletesTheFirstEmptyName) {
    ASSERT_TRUE(appendSite(table(), "", "blank.com"));
    load();
    list().clearSelection();
    triggerMenu("删除此项");
    waitForLoads();
    EXPECT_EQ(entries(), (QStringList{"A", "B", "C", "D", u("百度")}));
    EXPECT_EQ(readSiteTable(table()).size(), 5u);
}

TEST_F(SiteListEvents, WrongDataItemOnlyExplains) {
    load();
    const std::string tableBefore = readBytes(table());
    triggerMenu("数据不对?");
    EXPECT_EQ(messages.shown,
              QStringList{u("信息：|找回老版本手动添加的项目数据.需要复制老版本目录下db目录下的"
                            "wp.edb文件到新版本同目录下覆盖即可 !")});
    EXPECT_TRUE(readBytes(table()) == tableBefore);
    EXPECT_EQ(entries().size(), 5);
}

// The right button pops the menu up beside the pointer and leaves the selection
// where it was, so "删除此项" acts on the entry selected before.
TEST_F(SiteListEvents, RightPressPopsUpTheMenuWithoutMovingTheSelection) {
    load();
    window.show();
    select(0);
    shell.pointer = QPoint(300, 200);
    const QRect under = list().visualItemRect(list().item(2));
    QTest::mousePress(list().viewport(), Qt::RightButton, {}, under.center());

    QMenu* menu = window.menu(u("选择框右键菜单"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return menu->isVisible(); }, 2000));
    EXPECT_EQ(menu->pos(), QPoint(303, 203));
    EXPECT_EQ(list().currentRow(), 0);
    menu->hide();

    triggerMenu("删除此项");
    waitForLoads();
    EXPECT_EQ(entries(), (QStringList{"B", "C", "D", u("百度")}));
}

}  // namespace
}  // namespace orvanix::test
