#include <QCheckBox>
#include <QEvent>
#include <QListWidget>
#include <QMouseEvent>
#include <QPushButton>
#include <QTabWidget>

#include "app/gui/event_map.h"
#include "app/gui/main_window.h"
#include "app/gui/page_switch.h"
#include "sites/gui/add_site_dialog.h"
#include "sites/gui/site_list.h"
#include "sites/gui/site_list_state.h"
#include "sites/site_table.h"

namespace orvanix {

namespace {

const QString kMenu = QStringLiteral("选择框右键菜单");

// Pops up the list's menu when the right button goes down on it. The press is
// taken here, so it does not move the selection: the menu's items act on the
// entry selected before.
class RightPressMenu : public QObject {
public:
    RightPressMenu(MainWindow& window, QObject* parent) : QObject(parent), window_(window) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::MouseButtonPress &&
            static_cast<QMouseEvent*>(event)->button() == Qt::RightButton) {
            window_.popUp(kMenu);
            return true;
        }
        return QObject::eventFilter(watched, event);
    }

private:
    MainWindow& window_;
};

QListWidgetItem* selectedEntry(QListWidget& list) {
    const QList<QListWidgetItem*> selected = list.selectedItems();
    return selected.isEmpty() ? nullptr : selected.first();
}

void tickAll(MainWindow& window, bool ticked) {
    QListWidget& list = *siteList(window);
    {
        const QSignalBlocker quiet(list);
        for (int row = 0; row < list.count(); ++row) {
            list.item(row)->setCheckState(ticked ? Qt::Checked : Qt::Unchecked);
        }
    }
    writeTickedSites(window);
}

// "删除": hides the selected entry until the next load; the files stay as they are.
void removeSelectedFromList(MainWindow& window) {
    const bool ok = siteListState(window).messages().confirm(
        QStringLiteral("危险操作"),
        QStringLiteral("此操作不可返回,请确认删除;我这里可没有后悔药!"));
    QListWidget& list = *siteList(window);
    if (ok) delete selectedEntry(list);
}

// "删除此项": deletes the first record with the selected entry's name from the
// table, then reloads the page.
void deleteSelectedFromTable(MainWindow& window) {
    QListWidgetItem* entry = selectedEntry(*siteList(window));
    deleteFirstSiteNamed(siteTablePath(), entry ? siteEntryText(*entry) : std::string());
    handlePageSwitch(window, window.tabs().currentIndex());
}

}  // namespace

void attachSiteList(MainWindow& window, ProcessState&) {
    siteListState(window);
    QListWidget* list = siteList(window);

    QObject::connect(list, &QListWidget::itemChanged, &window,
                     [&window](QListWidgetItem*) { writeTickedSites(window); });
    list->viewport()->installEventFilter(new RightPressMenu(window, list));

    auto* all = window.control<QCheckBox>(QStringLiteral("选择框1"));
    QObject::connect(all, &QCheckBox::clicked, &window,
                     [&window](bool checked) { tickAll(window, checked); });

    QObject::connect(window.control<QPushButton>(QStringLiteral("按钮_删除网盘项目")),
                     &QPushButton::clicked, &window, [&window] { removeSelectedFromList(window); });
    QObject::connect(window.control<QPushButton>(QStringLiteral("按钮_添加2")),
                     &QPushButton::clicked, &window, [&window] { openAddSiteDialog(window); });

    QObject::connect(window.menuAction(kMenu, QStringLiteral("添加项目")), &QAction::triggered,
                     &window, [&window] { openAddSiteDialog(window); });
    QObject::connect(
        window.menuAction(kMenu, QStringLiteral("数据不对?")), &QAction::triggered, &window,
        [&window] {
            siteListState(window).messages().inform(
                kInfoTitle, QStringLiteral("找回老版本手动添加的项目数据.需要复制老版本目录下db目录"
                                           "下的wp.edb文件到新版本同目录下覆盖即可 !"));
        });
    QObject::connect(window.menuAction(kMenu, QStringLiteral("删除此项")), &QAction::triggered,
                     &window, [&window] { deleteSelectedFromTable(window); });
}

}  // namespace orvanix
