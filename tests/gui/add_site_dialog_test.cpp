#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "app/settings.h"
#include "site_list_fixture.h"
#include "sites/centred_position.h"
#include "sites/gui/add_site_dialog.h"

namespace orvanix::test {
namespace {

const QString kIncomplete = u("信息：|-_-。sorry！ 信息不全!怎么能添加呢!");

class AddSiteDialogTest : public SiteListFixture {
protected:
    AddSiteDialogTest() {
        makeTable({{"A", "a.com"}});
        load();
    }

    AddSiteDialog* dialog() {
        for (auto* open : window.findChildren<AddSiteDialog*>()) {
            if (open->isVisible()) return open;
        }
        return nullptr;
    }
    QLineEdit* box(const char* name) { return dialog()->findChild<QLineEdit*>(u(name)); }
    void fill(const QString& name, const QString& address) {
        box("编辑框1")->setText(name);
        box("编辑框2")->setText(address);
    }
    void clickOk() {
        QTest::mouseClick(dialog()->findChild<QPushButton*>(u("按钮_确认添加")), Qt::LeftButton);
    }
    // The dialog has closed and the list has been reloaded.
    void waitUntilClosed() {
        EXPECT_TRUE(QTest::qWaitFor([&] { return dialog() == nullptr; }, 2000));
        waitForLoads();
    }
};

TEST_F(AddSiteDialogTest, OpensEmptyWithItsControls) {
    QTest::mouseClick(window.control<QPushButton>(u("按钮_添加2")), Qt::LeftButton);
    ASSERT_NE(dialog(), nullptr);
    EXPECT_EQ(dialog()->objectName(), u("添加窗口"));
    EXPECT_TRUE(dialog()->windowTitle().isEmpty());
    EXPECT_EQ(dialog()->size(), QSize(263, 204));
    EXPECT_TRUE(dialog()->isModal());

    const std::tuple<const char*, QRect, const char*> controls[] = {
        {"透明标签1", {16, 24, 32, 24}, "名称:"},     {"编辑框1", {48, 24, 192, 32}, ""},
        {"透明标签2", {17, 64, 31, 28}, "网址"},      {"编辑框2", {48, 64, 192, 32}, ""},
        {"按钮_确认添加", {24, 112, 80, 32}, "确定"}, {"按钮_取消添加", {152, 112, 80, 32}, "取消"},
        {"透明标签3", {21, 146, 232, 48}, nullptr},
    };
    for (const auto& [name, rect, text] : controls) {
        SCOPED_TRACE(name);
        auto* control = dialog()->findChild<QWidget*>(u(name));
        ASSERT_NE(control, nullptr);
        EXPECT_EQ(control->geometry(), rect);
        if (!text) continue;
        if (auto* label = qobject_cast<QLabel*>(control)) {
            EXPECT_EQ(label->text(), u(text));
        }
        if (auto* edit = qobject_cast<QLineEdit*>(control)) {
            EXPECT_EQ(edit->text(), u(text));
        }
        if (auto* button = qobject_cast<QPushButton*>(control)) {
            EXPECT_EQ(button->text(), u(text));
        }
    }
    const QStringList rule =
        dialog()->findChild<QLabel*>(u("透明标签3"))->text().split(QLatin1Char('\n'));
    ASSERT_EQ(rule.size(), 3);
    EXPECT_EQ(rule[0], u("网址添加规则:"));
    EXPECT_TRUE(rule[2].contains(u("www.")) && rule[2].contains(u("http://")));
}

TEST_F(AddSiteDialogTest, OpensCentredOverTheMainWindowEvenOffScreen) {
    window.show();
    for (const QPoint at : {QPoint(50, 50), QPoint(-700, -300)}) {
        window.move(at);
        window.menuAction(u("选择框右键菜单"), u("添加项目"))->trigger();
        ASSERT_NE(dialog(), nullptr);
        const QRect owner = window.frameGeometry();
        const ScreenPoint expected =
            centredPosition(owner.x(), owner.y(), owner.width(), owner.height(), 263, 204);
        EXPECT_EQ(dialog()->pos(), QPoint(expected.x, expected.y));
        dialog()->close();
        waitUntilClosed();
    }
}

// Only empty text is refused; everything else is stored exactly as typed, and
// the new site appears last in the reloaded list.
TEST_F(AddSiteDialogTest, ConfirmAppendsExactlyAsTypedAndReloads) {
    writeBytes(checked(), "A\r\n");
    const std::pair<QString, QString> typed[] = {
        {u(" "), u("weiyun.com")},
        {u("微云"), u("http://www.weiyun.com")},
        {u("A"), u("a2.com")},  // a name that is already there
    };
    for (const auto& [name, address] : typed) {
        openAddSiteDialog(window);
        fill(name, address);
        clickOk();
        waitUntilClosed();
    }
    EXPECT_EQ(readSiteTable(table()),
              (std::vector<SiteRecord>{{"A", "a.com"},
                                       {" ", "weiyun.com"},
                                       {"\xCE\xA2\xD4\xC6", "http://www.weiyun.com"},
                                       {"A", "a2.com"}}));
    EXPECT_EQ(entries(), (QStringList{"[x] A", " ", u("微云"), "[x] A"}));
    EXPECT_EQ(readSetting(setting::kPage), "0");
    EXPECT_TRUE(messages.shown.isEmpty());
}

TEST_F(AddSiteDialogTest, MissingFieldIsRefusedAndTheDialogStays) {
    const std::string before = readBytes(table());
    const std::pair<const char*, const char*> cases[] = {{"", "a.com"}, {"X", ""}, {"", ""}};
    openAddSiteDialog(window);
    for (const auto& [name, address] : cases) {
        messages.shown.clear();
        fill(u(name), u(address));
        clickOk();
        EXPECT_EQ(messages.shown, QStringList{kIncomplete});
        ASSERT_NE(dialog(), nullptr);
        EXPECT_EQ(box("编辑框1")->text(), u(name));  // the texts stay
        EXPECT_EQ(box("编辑框2")->text(), u(address));
    }
    EXPECT_TRUE(readBytes(table()) == before);
}

TEST_F(AddSiteDialogTest, EnterInTheAddressBoxAddsOnlyWithBothTexts) {
    openAddSiteDialog(window);
    fill(u(""), u("b.com"));
    QTest::keyClick(box("编辑框2"), Qt::Key_Return);
    QTest::keyClick(box("编辑框1"), Qt::Key_Return);
    EXPECT_TRUE(messages.shown.isEmpty());  // no message from Enter
    ASSERT_NE(dialog(), nullptr);

    fill(u("B"), u("b.com"));
    QTest::keyClick(box("编辑框1"), Qt::Key_Return);  // Enter in the name box means nothing
    ASSERT_NE(dialog(), nullptr);
    EXPECT_EQ(readSiteTable(table()).size(), 1u);

    QTest::keyClick(box("编辑框2"), Qt::Key_Enter);
    waitUntilClosed();
    EXPECT_EQ(readSiteTable(table()).back(), (SiteRecord{"B", "b.com"}));
    EXPECT_EQ(entries(), (QStringList{"A", "B"}));
}

TEST_F(AddSiteDialogTest, CancelAndCloseBoxWriteNothing) {
    const std::string before = readBytes(table());
    openAddSiteDialog(window);
    fill(u("C"), u("c.com"));
    QTest::mouseClick(dialog()->findChild<QPushButton*>(u("按钮_取消添加")), Qt::LeftButton);
    waitUntilClosed();

    openAddSiteDialog(window);
    EXPECT_TRUE(box("编辑框1")->text().isEmpty());  // each opening starts empty
    fill(u("C"), u("c.com"));
    dialog()->close();
    waitUntilClosed();
    EXPECT_TRUE(readBytes(table()) == before);
}

TEST_F(AddSiteDialogTest, OnlyOneDialogAtATime) {
    AddSiteDialog& first = openAddSiteDialog(window);
    EXPECT_EQ(&openAddSiteDialog(window), &first);
}

TEST_F(AddSiteDialogTest, TableThatCannotBeWrittenStillClosesQuietly) {
    writeBytes(table(), "not a database");
    openAddSiteDialog(window);
    fill(u("D"), u("d.com"));
    clickOk();
    waitUntilClosed();
    EXPECT_TRUE(messages.shown.isEmpty());
    EXPECT_EQ(readBytes(table()), "not a database");
    EXPECT_TRUE(entries().isEmpty());
}

}  // namespace
}  // namespace orvanix::test
