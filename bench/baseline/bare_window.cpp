// The yardstick for start-up: a bare Qt window with the same kinds of controls
// as the main window (tabs, edit boxes, buttons, combos, a check list, report
// lists, labels, a status bar, a tray icon) and none of the program's work.
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QStandardItemModel>
#include <QSystemTrayIcon>
#include <QTabWidget>
#include <QTreeView>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("bare-window"));
    window.resize(938, 586);
    auto* tabs = new QTabWidget(&window);
    tabs->setGeometry(8, 8, 920, 555);
    for (int i = 0; i < 5; ++i) {
        auto* page = new QWidget;
        tabs->addTab(page, QStringLiteral("页面%1").arg(i));
        if (i == 4) continue;
        (new QLabel(QStringLiteral("关键字："), page))->move(26, 10);
        (new QLineEdit(page))->setGeometry(91, 10, 232, 24);
        (new QPushButton(QStringLiteral("开始搜索"), page))->setGeometry(327, 6, 80, 32);
        (new QPushButton(QStringLiteral("停止"), page))->setGeometry(416, 6, 80, 32);
        auto* combo = new QComboBox(page);
        combo->addItems({"20", "40", "60", "80", "100"});
        combo->setGeometry(632, 14, 72, 20);
        auto* model = new QStandardItemModel(0, 6, page);
        model->setHorizontalHeaderLabels({QStringLiteral("序号"), QStringLiteral("文件名"),
                                          QStringLiteral("文件大小"), QStringLiteral("收录时间"),
                                          QStringLiteral("网盘链接"), QStringLiteral("图片地址")});
        auto* list = new QTreeView(page);
        list->setModel(model);
        list->setGeometry(225, 50, 687, 475);
        if (i == 0) {
            (new QListWidget(page))->setGeometry(16, 50, 200, 445);
            (new QCheckBox(QStringLiteral("全选"), page))->move(18, 505);
        }
    }
    for (int i = 0; i < 6; ++i) (new QLabel(QStringLiteral("状态"), &window))->move(i * 100, 566);
    QSystemTrayIcon tray(QIcon(), &window);
    tray.show();
    window.show();
    return QApplication::exec();
}
