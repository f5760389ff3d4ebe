#pragma once

#include <QDialog>

class QLineEdit;

namespace orvanix {

class MainWindow;

// The dialog 添加窗口: a name and an address are typed in; "确定" appends them to
// the site table and reloads the site list, "取消" and the close box just close.
class AddSiteDialog : public QDialog {
    Q_OBJECT
public:
    static constexpr int kWidth = 263;
    static constexpr int kHeight = 204;

    explicit AddSiteDialog(MainWindow& window);

    // Adds the site when both boxes hold text (else says so) and closes.
    void confirm();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    MainWindow& window_;
    QLineEdit* name_ = nullptr;
    QLineEdit* address_ = nullptr;
};

// Shows 添加窗口 over the main window; the main window takes no input while it is
// open. A second call while it is open just brings it to the front.
AddSiteDialog& openAddSiteDialog(MainWindow& window);

}  // namespace orvanix
