#pragma once

#include <QMenu>
#include <QSystemTrayIcon>
#include <QWidget>
#include <functional>
#include <memory>

#include "app/gui/report_list.h"
#include "app/gui/shell_port.h"
#include "app/gui/status_bar.h"

class QTabWidget;

namespace orvanix {

// The main window `主窗口`: the five tab pages with their controls, the status
// bar, the popup menus and the tray icon. Every control carries its name as
// objectName, so the rest of the program (and the tests) find it by name.
class MainWindow : public QWidget {
    Q_OBJECT
public:
    static inline const QString kTitle = QStringLiteral("★Orvanix★V2.5");
    static constexpr QSize kClientSize{938, 586};
    static inline const QString kTrayTip = QStringLiteral("★★Orvan网络,追求完美★★");

    MainWindow();
    ~MainWindow() override;

    // Finds a control by its name; nullptr when there is none of that type.
    template <typename T>
    T* control(const QString& name) const {
        return findChild<T*>(name);
    }

    StatusBar& statusBar() { return *statusBar_; }
    QTabWidget& tabs() { return *tabs_; }
    ReportList& reportList(const QString& name) { return *control<ReportList>(name); }

    // A popup menu by caption, and one of its items by caption.
    QMenu* menu(const QString& caption) const;
    QAction* menuAction(const QString& menuCaption, const QString& itemCaption) const;
    // Opens a popup menu beside the pointer (3 pixels right of and below it).
    void popUp(const QString& menuCaption);

    ShellPort& shell() { return *shell_; }
    void setShell(std::unique_ptr<ShellPort> shell) { shell_ = std::move(shell); }

    // The tray icon; shown by showTrayIcon(), removed by "退出".
    QSystemTrayIcon& trayIcon() { return *tray_; }
    void showTrayIcon();
    // Whether a system tray can take the window while it is minimised.
    void setTrayAvailable(std::function<bool()> available) { trayAvailable_ = std::move(available); }

    // The tray icon's mouse actions.
    void onTrayActivated(QSystemTrayIcon::ActivationReason reason);
    // The tray menu's "退出": removes the icon and closes the window.
    void quitFromTray();

signals:
    // The window has been closed; the program ends.
    void closed();

protected:
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void buildPages();
    void buildMenus();
    void buildTray();

    QTabWidget* tabs_ = nullptr;
    StatusBar* statusBar_ = nullptr;
    QSystemTrayIcon* tray_ = nullptr;
    std::unique_ptr<ShellPort> shell_;
    std::function<bool()> trayAvailable_;
};

}  // namespace orvanix
