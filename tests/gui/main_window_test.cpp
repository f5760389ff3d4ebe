#include <QCheckBox>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include "app/gui/main_window.h"
#include "fake_shell.h"

namespace orvanix {
namespace {

QString u(const char* text) { return QString::fromUtf8(text); }

class MainWindowTest : public testing::Test {
protected:
    MainWindowTest() { window.setShell(std::make_unique<test::FakeShell>(shell)); }

    QWidget* widget(const char* name) { return window.control<QWidget>(u(name)); }

    test::FakeShell::Log shell;
    MainWindow window;
};

TEST_F(MainWindowTest, WindowHasItsTitleAndDesignGeometry) {
    EXPECT_EQ(window.objectName(), u("主窗口"));
    EXPECT_EQ(window.windowTitle(), u("★Orvanix★V2.5"));
    EXPECT_EQ(window.size(), QSize(938, 586));  // the client area of a 943x620 frame
    EXPECT_EQ(window.pos(), QPoint(50, 50));
}

TEST_F(MainWindowTest, TabPagesInOrder) {
    auto& tabs = window.tabs();
    EXPECT_EQ(tabs.objectName(), u("高级选择夹1"));
    EXPECT_EQ(tabs.geometry(), QRect(8, 8, 920, 555));
    const QStringList titles{u("网盘搜索区"), u("★大片★资料★磁链搜索 "), u("百度网盘搜索"),
                             u("淘宝/天猫商品搜索"), u("反馈留言")};
    ASSERT_EQ(tabs.count(), titles.size());
    for (int i = 0; i < tabs.count(); ++i) EXPECT_EQ(tabs.tabText(i), titles[i]);
}

// Every control: its name, the page it sits on (-1: the window itself), its
// design rectangle (an empty one: not fixed) and its caption.
struct ControlCase {
    const char* name;
    int page;
    QRect rect;
    const char* text;
};

const ControlCase kControls[] = {
    {"组合框_皮肤", -1, {784, 3, 80, 22}, nullptr},
    {"图片框3", -1, {656, 3, 22, 22}, nullptr},
    {"图片框1", -1, {686, 3, 90, 22}, nullptr},
    {"超文本浏览框1", -1, {872, 0, 48, 24}, nullptr},
    {"编辑框1", -1, {648, -16, 32, 24}, nullptr},
    {"状态条1", -1, {0, 566, 938, 20}, nullptr},
    {"透明标签1", 0, {26, 32, 0, 0}, "关键字："},
    {"编辑框_搜索的内容", 0, {91, 36, 232, 24}, nullptr},
    {"按钮_开始搜索_网盘搜索", 0, {327, 32, 80, 32}, "开始搜索"},
    {"按钮_停止", 0, {416, 32, 80, 32}, "停止"},
    {"透明标签2", 0, {520, 40, 112, 24}, "每个网盘检索条目:"},
    {"组合框4", 0, {632, 40, 72, 20}, nullptr},
    {"选择列表框_网盘资源", 0, {16, 75, 200, 445}, nullptr},
    {"选择框1", 0, {18, 531, 56, 16}, "全选"},
    {"按钮_删除网盘项目", 0, {74, 526, 64, 24}, "删除"},
    {"按钮_添加2", 0, {152, 526, 64, 24}, "添加"},
    {"超级列表框_检索内容", 0, {225, 75, 687, 475}, nullptr},
    {"透明标签3", 1, {26, 32, 0, 0}, "关键字："},
    {"编辑框_搜索的内容1", 1, {91, 36, 232, 24}, nullptr},
    {"按钮_开始搜索_磁链搜索", 1, {327, 32, 80, 32}, "开始搜索"},
    {"按钮_停止1", 1, {416, 32, 80, 32}, "停止"},
    {"透明标签7", 1, {520, 40, 0, 0}, "模式:"},
    {"组合框_模式", 1, {558, 40, 72, 20}, nullptr},
    {"透明标签4", 1, {648, 40, 0, 0}, "搜索数量:"},
    {"组合框1", 1, {704, 40, 72, 20}, nullptr},
    {"透明标签_提示", 1, {91, 61, 232, 14}, "可离线下载到网盘观看电影,或收藏资料"},
    {"超级列表框_磁链检索内容", 1, {8, 75, 904, 475}, nullptr},
    {"透明标签5", 2, {26, 32, 0, 0}, "关键字："},
    {"编辑框_搜索的内容2", 2, {91, 36, 232, 24}, nullptr},
    {"按钮_开始搜索_百度网盘搜索", 2, {327, 32, 80, 32}, "开始搜索"},
    {"按钮_停止2", 2, {416, 32, 80, 32}, "停止"},
    {"透明标签10", 2, {520, 38, 0, 0}, "模式:"},
    {"组合框_百度云模式", 2, {558, 40, 80, 20}, nullptr},
    {"透明标签6", 2, {648, 40, 0, 0}, "搜索数量:"},
    {"组合框2", 2, {704, 40, 72, 16}, nullptr},
    {"超级列表框_百度网盘检索内容", 2, {8, 75, 904, 475}, nullptr},
    {"透明标签8", 3, {26, 32, 0, 0}, "关键字："},
    {"编辑框_搜索的内容_购物", 3, {91, 36, 232, 24}, nullptr},
    {"按钮_开始搜索_购物", 3, {327, 32, 80, 32}, "开始搜索"},
    {"按钮_停止3", 3, {416, 32, 80, 32}, "停止"},
    {"透明标签9", 3, {520, 40, 0, 0}, "商品数:"},
    {"组合框3", 3, {568, 40, 64, 20}, nullptr},
    {"超级列表框_商品搜索", 3, {8, 75, 904, 475}, nullptr},
    {"超文本浏览框_反馈", 4, {56, 32, 800, 496}, nullptr},
};

// Page controls are placed in the tab control's coordinates, the tab bar included.
TEST_F(MainWindowTest, EveryControlSitsOnItsPageWithItsGeometryAndCaption) {
    window.show();
    for (const auto& c : kControls) {
        SCOPED_TRACE(c.name);
        QWidget* control = widget(c.name);
        ASSERT_NE(control, nullptr);
        QWidget* expectedParent = c.page < 0 ? &window : window.tabs().widget(c.page);
        EXPECT_EQ(control->parentWidget(), expectedParent);
        const QWidget* origin = c.page < 0 ? static_cast<QWidget*>(&window) : &window.tabs();
        const QRect actual(control->parentWidget()->mapTo(origin, control->pos()), control->size());
        if (c.rect.isValid()) {
            EXPECT_EQ(actual, c.rect);
        } else if (!c.rect.isNull()) {
            EXPECT_EQ(actual.topLeft(), c.rect.topLeft());
        }
        if (c.text) {
            QString text;
            if (auto* label = qobject_cast<QLabel*>(control)) text = label->text();
            if (auto* button = qobject_cast<QAbstractButton*>(control)) text = button->text();
            EXPECT_EQ(text, u(c.text));
        }
    }
}

TEST_F(MainWindowTest, CombosOfferTheirItems) {
    const std::pair<const char*, QStringList> combos[] = {
        {"组合框_皮肤", {u("皮肤一"), u("皮肤二"), u("皮肤三"), u("皮肤四"), u("皮肤五")}},
        {"组合框4", {"20", "40", "60", "80", "100"}},
        {"组合框_模式", {u("BT樱桃"), "DHT"}},
        {"组合框1", {"20", "40", "60", "80", "100"}},
        {"组合框_百度云模式", {u("模式一"), u("模式二"), u("模式三")}},
        {"组合框2", {"10", "20", "30", "40", "50", "60", "70", "80", "90", "100"}},
        {"组合框3", {"44", "88", "132", "176", "220", "264"}},
    };
    for (const auto& [name, expected] : combos) {
        auto* combo = window.control<QComboBox>(u(name));
        ASSERT_NE(combo, nullptr) << name;
        QStringList texts;
        for (int i = 0; i < combo->count(); ++i) texts.append(combo->itemText(i));
        EXPECT_EQ(texts, expected) << name;
    }
}

TEST_F(MainWindowTest, ReportListsHaveTheirColumns) {
    const std::pair<const char*, QStringList> lists[] = {
        {"超级列表框_检索内容",
         {u("序号"), u("文件名"), u("站点"), u("文件大小"), u("上传日期"), u("网盘链接")}},
        {"超级列表框_磁链检索内容", {u("序号"), u("文件名"), u("文件大小"), u("收录时间"), u("磁链")}},
        {"超级列表框_百度网盘检索内容",
         {u("序号"), u("文件名"), u("文件大小"), u("收录时间"), u("网盘链接")}},
        {"超级列表框_商品搜索",
         {u("序号"), u("商品名称"), u("原价"), u("价格"), u("销量"), u("店铺名称"), u("类型"),
          u("商品地址"), u("图片地址")}},
    };
    for (const auto& [name, expected] : lists) {
        RowModel& rows = window.reportList(u(name)).rows();
        QStringList captions;
        for (int i = 0; i < rows.columnCount(); ++i)
            captions.append(rows.headerData(i, Qt::Horizontal, Qt::DisplayRole).toString());
        EXPECT_EQ(captions, expected) << name;
        EXPECT_EQ(rows.rowCount(), 0);
    }
}

TEST_F(MainWindowTest, StatusBarPartsHaveTheirWidthsAndStartTexts) {
    const std::pair<int, const char*> parts[] = {{40, "状态："},     {100, "空闲"}, {65, "列表数量："},
                                                 {50, "0"},          {40, "说明："},
                                                 {700, "绿色无毒 永久免费 欢迎使用！"}};
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(window.statusBar().part(i), u(parts[i].second)) << i;
        auto* label = window.control<QLabel>(QStringLiteral("状态条1_%1").arg(i));
        ASSERT_NE(label, nullptr);
        EXPECT_EQ(label->width(), parts[i].first) << i;
    }
    window.statusBar().setPart(3, "17");
    EXPECT_EQ(window.statusBar().part(3), "17");
}

TEST_F(MainWindowTest, PopupMenusHaveTheirItemsInOrder) {
    const std::pair<const char*, QStringList> menus[] = {
        {"选择框右键菜单", {u("添加项目"), u("数据不对?"), "-", u("删除此项")}},
        {"超级列表框菜单", {u("打开网盘链接"), "-", u("清空所有项目")}},
        {"磁链超级列表框",
         {u("下载文件(必需安装迅雷或其它magnet工具)"), u("复制链接"),
          u("在线观看|复制链接并打开百度网盘离线下载后可在线观看"), "-", u("全部清空")}},
        {"百度网盘右键", {u("打开"), u("打开此用户网盘分享主页"), "-", u("清空")}},
        {"商品搜索", {u("去淘宝看宝贝"), u("加Q群买便宜拿返利"), "-", u("清空宝贝")}},
        {"托盘", {u("打开主程序"), "-", u("退出")}},
    };
    for (const auto& [caption, expected] : menus) {
        QMenu* menu = window.menu(u(caption));
        ASSERT_NE(menu, nullptr) << caption;
        QStringList items;
        for (QAction* action : menu->actions()) items.append(action->isSeparator() ? "-" : action->text());
        EXPECT_EQ(items, expected) << caption;
    }
}

TEST_F(MainWindowTest, RightClickOnAnyPartOfAReportListOpensItsMenuBesideThePointer) {
    window.show();
    const std::pair<const char*, const char*> lists[] = {
        {"超级列表框_检索内容", "超级列表框菜单"},
        {"超级列表框_磁链检索内容", "磁链超级列表框"},
        {"超级列表框_百度网盘检索内容", "百度网盘右键"},
        {"超级列表框_商品搜索", "商品搜索"},
    };
    for (int i = 0; i < 4; ++i) {
        window.tabs().setCurrentIndex(i);
        ReportList& list = window.reportList(u(lists[i].first));
        shell.pointer = QPoint(300 + i * 10, 200);
        // An empty part of the list: no row under the pointer.
        QTest::mouseClick(list.viewport(), Qt::RightButton, {}, QPoint(40, 300));
        QMenu* menu = window.menu(u(lists[i].second));
        EXPECT_TRUE(menu->isVisible()) << lists[i].second;
        EXPECT_EQ(menu->pos(), shell.pointer + QPoint(3, 3)) << lists[i].second;
        menu->hide();
    }
}

TEST_F(MainWindowTest, ReportListModelAppendsAndClearsRows) {
    RowModel& rows = window.reportList(u("超级列表框_检索内容")).rows();
    const int row = rows.appendRow("1");
    rows.setCell(row, 1, u("电影.mkv"));
    rows.setCell(row, 9, "ignored");
    rows.setCell(5, 1, "ignored");
    EXPECT_EQ(rows.rowCount(), 1);
    EXPECT_EQ(rows.cell(0, 0), "1");
    EXPECT_EQ(rows.cell(0, 1), u("电影.mkv"));
    EXPECT_EQ(rows.cell(0, 2), "");
    rows.clear();
    EXPECT_EQ(rows.rowCount(), 0);
}

// Minimising hides the window behind the tray icon only when a tray exists.
TEST_F(MainWindowTest, MinimisingHidesOnlyWhenATrayIsAvailable) {
    for (const bool available : {true, false}) {
        SCOPED_TRACE(available);
        window.setTrayAvailable([available] { return available; });
        window.showNormal();
        ASSERT_TRUE(window.isVisible());
        window.setWindowState(Qt::WindowMinimized);
        QCoreApplication::processEvents();
        EXPECT_EQ(window.isVisible(), !available);
    }
}

TEST_F(MainWindowTest, MaximisingKeepsTheWindowVisible) {
    window.setTrayAvailable([] { return true; });
    window.show();
    window.setWindowState(Qt::WindowMaximized);
    QCoreApplication::processEvents();
    EXPECT_TRUE(window.isVisible());
}

TEST_F(MainWindowTest, TrayDoubleClickRestoresAndSingleClickDoesNothing) {
    window.setTrayAvailable([] { return true; });
    window.show();
    window.setWindowState(Qt::WindowMinimized);
    QCoreApplication::processEvents();
    ASSERT_FALSE(window.isVisible());

    window.onTrayActivated(QSystemTrayIcon::Trigger);
    EXPECT_FALSE(window.isVisible());

    window.onTrayActivated(QSystemTrayIcon::DoubleClick);
    EXPECT_TRUE(window.isVisible());
    EXPECT_FALSE(window.windowState() & (Qt::WindowMinimized | Qt::WindowMaximized));
}

TEST_F(MainWindowTest, TrayContextShowsTheTrayMenuAndQuitClosesTheWindow) {
    window.show();
    window.showTrayIcon();
    window.onTrayActivated(QSystemTrayIcon::Context);
    QMenu* tray = window.menu(u("托盘"));
    EXPECT_TRUE(tray->isVisible());
    EXPECT_EQ(tray->pos(), shell.pointer + QPoint(3, 3));
    tray->hide();

    QSignalSpy closed(&window, &MainWindow::closed);
    window.menuAction(u("托盘"), u("退出"))->trigger();
    EXPECT_EQ(closed.count(), 1);
    EXPECT_FALSE(window.trayIcon().isVisible());
    EXPECT_FALSE(window.isVisible());
}

TEST_F(MainWindowTest, ShoppingPageCarriesItsTimer) {
    EXPECT_NE(window.tabs().widget(3)->findChild<QTimer*>(u("时钟1")), nullptr);
}

}  // namespace
}  // namespace orvanix
