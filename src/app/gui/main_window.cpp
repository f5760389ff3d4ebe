#include "app/gui/main_window.h"

#include <QCloseEvent>
#include <QTabWidget>

#include "app/gui/main_window_pages.h"
#include "app/gui/tab_control.h"

// Resources of a static library must be registered by hand.
static void initResources() { Q_INIT_RESOURCE(resources); }

namespace orvanix {

namespace {

struct MenuSpec {
    const char* caption;
    std::initializer_list<const char*> items;  // "-" is a separator
};

const MenuSpec kMenus[] = {
    {"选择框右键菜单", {"添加项目", "数据不对?", "-", "删除此项"}},
    {"超级列表框菜单", {"打开网盘链接", "-", "清空所有项目"}},
    {"磁链超级列表框",
     {"下载文件(必需安装迅雷或其它magnet工具)", "复制链接",
      "在线观看|复制链接并打开百度网盘离线下载后可在线观看", "-", "全部清空"}},
    {"百度网盘右键", {"打开", "打开此用户网盘分享主页", "-", "清空"}},
    {"商品搜索", {"去淘宝看宝贝", "加Q群买便宜拿返利", "-", "清空宝贝"}},
    {"托盘", {"打开主程序", "-", "退出"}},
};

}  // namespace

MainWindow::MainWindow()
    : shell_(std::make_unique<DesktopShell>()),
      trayAvailable_([] { return QSystemTrayIcon::isSystemTrayAvailable(); }) {
    initResources();
    setObjectName(QStringLiteral("主窗口"));
    setWindowTitle(kTitle);
    setWindowIcon(QIcon(QStringLiteral(":/orvanix/tray.png")));
    // The design size 943x620 counts the frame; this is the client area inside it.
    move(50, 50);
    resize(kClientSize);

    tabs_ = new TabControl(this);
    tabs_->setObjectName(QStringLiteral("高级选择夹1"));
    tabs_->setGeometry(8, 8, 920, 555);
    buildPages();

    statusBar_ = new StatusBar(this);
    statusBar_->setGeometry(0, 566, 938, 20);

    buildMenus();
    buildTray();
}

MainWindow::~MainWindow() = default;

void MainWindow::buildPages() {
    buildTopControls(*this);
    buildNetdiskPage(*tabs_);
    buildMagnetPage(*tabs_);
    buildSharePage(*tabs_);
    buildShoppingPage(*tabs_);
    buildFeedbackPage(*tabs_);

    // Every report list pops up its menu on a right click.
    const std::pair<const char*, const char*> listMenus[] = {
        {"超级列表框_检索内容", "超级列表框菜单"},
        {"超级列表框_磁链检索内容", "磁链超级列表框"},
        {"超级列表框_百度网盘检索内容", "百度网盘右键"},
        {"超级列表框_商品搜索", "商品搜索"},
    };
    for (const auto& [list, menuCaption] : listMenus) {
        const QString caption = QString::fromUtf8(menuCaption);
        connect(control<ReportList>(QString::fromUtf8(list)), &ReportList::rightClicked, this,
                [this, caption] { popUp(caption); });
    }
}

void MainWindow::buildMenus() {
    for (const auto& spec : kMenus) {
        auto* menu = new QMenu(this);
        menu->setObjectName(QString::fromUtf8(spec.caption));
        menu->setTitle(QString::fromUtf8(spec.caption));
        for (const char* item : spec.items) {
            if (QByteArrayView(item) == "-") {
                menu->addSeparator();
            } else {
                menu->addAction(QString::fromUtf8(item));
            }
        }
    }
}

QMenu* MainWindow::menu(const QString& caption) const {
    return findChild<QMenu*>(caption, Qt::FindDirectChildrenOnly);
}

QAction* MainWindow::menuAction(const QString& menuCaption, const QString& itemCaption) const {
    const QMenu* found = menu(menuCaption);
    if (!found) return nullptr;
    for (QAction* action : found->actions()) {
        if (!action->isSeparator() && action->text() == itemCaption) return action;
    }
    return nullptr;
}

void MainWindow::popUp(const QString& menuCaption) {
    if (QMenu* found = menu(menuCaption)) found->popup(shell_->pointerPosition() + QPoint(3, 3));
}

void MainWindow::buildTray() {
    tray_ = new QSystemTrayIcon(QIcon(QStringLiteral(":/orvanix/tray.png")), this);
    tray_->setObjectName(QStringLiteral("托盘图标"));
    tray_->setToolTip(kTrayTip);
    connect(tray_, &QSystemTrayIcon::activated, this, &MainWindow::onTrayActivated);
    connect(menuAction(QStringLiteral("托盘"), QStringLiteral("退出")), &QAction::triggered, this,
            &MainWindow::quitFromTray);
}

void MainWindow::showTrayIcon() { tray_->show(); }

void MainWindow::onTrayActivated(QSystemTrayIcon::ActivationReason reason) {
    switch (reason) {
        case QSystemTrayIcon::DoubleClick:
            showNormal();
            activateWindow();
            break;
        case QSystemTrayIcon::Context:
            popUp(QStringLiteral("托盘"));
            break;
        default:
            break;  // a single left click does nothing
    }
}

void MainWindow::quitFromTray() {
    tray_->hide();
    close();
}

void MainWindow::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    // A minimised window leaves the task bar and waits behind the tray icon, but
    // only when there is a tray to bring it back from.
    if (event->type() == QEvent::WindowStateChange && (windowState() & Qt::WindowMinimized) &&
        trayAvailable_()) {
        hide();
    }
}

void MainWindow::closeEvent(QCloseEvent* event) {
    QWidget::closeEvent(event);
    tray_->hide();
    emit closed();
}

}  // namespace orvanix
