#include "sites/gui/add_site_dialog.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "app/gui/main_window.h"
#include "app/gui/page_switch.h"
#include "sites/centred_position.h"
#include "sites/gui/gbk_text.h"
#include "sites/gui/message_port.h"
#include "sites/gui/site_list_state.h"
#include "sites/site_table.h"

namespace orvanix {

namespace {

const QString kDialogName = QStringLiteral("添加窗口");

// Advice only: nothing checks the address against it.
const char* const kAddressRule =
    "网址添加规则:\n"
    "只填顶级域名,例: weiyun.com 或 115.com\n"
    "错:www.115.com http://115.com http://www.115.com";

template <typename T>
T* place(QWidget* parent, const char* name, int x, int y, int w, int h) {
    auto* widget = new T(parent);
    widget->setObjectName(QString::fromUtf8(name));
    widget->setGeometry(x, y, w, h);
    return widget;
}

QLabel* label(QWidget* parent, const char* name, const char* text, int x, int y, int w, int h) {
    auto* widget = place<QLabel>(parent, name, x, y, w, h);
    widget->setText(QString::fromUtf8(text));
    return widget;
}

QPushButton* button(QWidget* parent, const char* name, const char* text, int x, int y) {
    auto* widget = place<QPushButton>(parent, name, x, y, 80, 32);
    widget->setText(QString::fromUtf8(text));
    // Enter belongs to the address box alone: no button takes it.
    widget->setAutoDefault(false);
    widget->setDefault(false);
    return widget;
}

bool isEnter(const QEvent* event) {
    if (event->type() != QEvent::KeyPress) return false;
    const int key = static_cast<const QKeyEvent*>(event)->key();
    return key == Qt::Key_Return || key == Qt::Key_Enter;
}

}  // namespace

AddSiteDialog::AddSiteDialog(MainWindow& window) : QDialog(&window), window_(window) {
    setObjectName(kDialogName);
    setWindowTitle(QString());
    setFixedSize(kWidth, kHeight);

    label(this, "透明标签1", "名称:", 16, 24, 32, 24);
    name_ = place<QLineEdit>(this, "编辑框1", 48, 24, 192, 32);
    label(this, "透明标签2", "网址", 17, 64, 31, 28);
    address_ = place<QLineEdit>(this, "编辑框2", 48, 64, 192, 32);
    QPushButton* ok = button(this, "按钮_确认添加", "确定", 24, 112);
    QPushButton* cancel = button(this, "按钮_取消添加", "取消", 152, 112);
    QLabel* rule = label(this, "透明标签3", kAddressRule, 21, 146, 232, 48);
    QFont small = rule->font();
    small.setPixelSize(9);
    small.setLetterSpacing(QFont::AbsoluteSpacing, -0.3);
    rule->setFont(small);

    address_->installEventFilter(this);
    connect(ok, &QPushButton::clicked, this, &AddSiteDialog::confirm);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

void AddSiteDialog::confirm() {
    if (name_->text().isEmpty() || address_->text().isEmpty()) {
        siteListState(window_).messages().inform(
            kInfoTitle, QStringLiteral("-_-。sorry！ 信息不全!怎么能添加呢!"));
        return;
    }
    // Stored exactly as typed. When the table cannot take it, nothing is added and
    // the dialog closes all the same.
    appendSite(siteTablePath(), toGbk(name_->text()), toGbk(address_->text()));
    handlePageSwitch(window_, 0);
    accept();
}

bool AddSiteDialog::eventFilter(QObject* watched, QEvent* event) {
    if (watched == address_ && isEnter(event) && !name_->text().isEmpty() &&
        !address_->text().isEmpty()) {
        confirm();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void AddSiteDialog::showEvent(QShowEvent* event) {
    // Centred over the main window, even where that is partly off screen.
    const QRect owner = window_.frameGeometry();
    const ScreenPoint at =
        centredPosition(owner.x(), owner.y(), owner.width(), owner.height(), kWidth, kHeight);
    move(at.x, at.y);
    QDialog::showEvent(event);
}

AddSiteDialog& openAddSiteDialog(MainWindow& window) {
    AddSiteDialog* dialog = nullptr;
    // A closed dialog may linger until its deletion runs; only an open one counts.
    for (AddSiteDialog* open :
         window.findChildren<AddSiteDialog*>(kDialogName, Qt::FindDirectChildrenOnly)) {
        if (open->isVisible()) dialog = open;
    }
    if (!dialog) {
        dialog = new AddSiteDialog(window);
        dialog->setAttribute(Qt::WA_DeleteOnClose);
        dialog->setWindowModality(Qt::ApplicationModal);
    }
    dialog->show();
    dialog->raise();
    dialog->activateWindow();
    return *dialog;
}

}  // namespace orvanix
