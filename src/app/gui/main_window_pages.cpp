#include "app/gui/main_window_pages.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <QTimer>

#include "app/gui/report_list.h"
#include "app/gui/tab_control.h"

namespace orvanix {

namespace {

constexpr const char* kTabPage = "tabPage";

QString u(const char* text) { return QString::fromUtf8(text); }

QStringList items(std::initializer_list<const char*> texts) {
    QStringList list;
    for (const char* text : texts) list.append(u(text));
    return list;
}

// Creates a named control at its design rectangle: on a tab page in the tab
// control's coordinates, elsewhere in its parent's.
template <typename T>
T* place(QWidget* parent, const char* name, int x, int y, int w, int h) {
    auto* widget = new T(parent);
    widget->setObjectName(u(name));
    if (parent->property(kTabPage).toBool()) {
        TabControl::placeByDesign(widget, QRect(x, y, w, h));
    } else {
        widget->setGeometry(x, y, w, h);
    }
    return widget;
}

QLabel* label(QWidget* parent, const char* name, const char* text, int x, int y, int w = 64,
              int h = 24) {
    auto* widget = place<QLabel>(parent, name, x, y, w, h);
    widget->setText(u(text));
    return widget;
}

QComboBox* combo(QWidget* parent, const char* name, QStringList texts, int x, int y, int w,
                 int h) {
    auto* widget = place<QComboBox>(parent, name, x, y, w, h);
    widget->addItems(texts);
    return widget;
}

QPushButton* button(QWidget* parent, const char* name, const char* text, int x, int y, int w,
                    int h) {
    auto* widget = place<QPushButton>(parent, name, x, y, w, h);
    widget->setText(u(text));
    return widget;
}

// The row that every search page starts with: caption, keyword box, start and stop.
void searchRow(QWidget* page, const char* labelName, const char* keywordName,
               const char* startName, const char* stopName) {
    label(page, labelName, "关键字：", 26, 32, 64, 32);
    place<QLineEdit>(page, keywordName, 91, 36, 232, 24);
    button(page, startName, "开始搜索", 327, 32, 80, 32);
    button(page, stopName, "停止", 416, 32, 80, 32);
}

QWidget* page(QTabWidget& tabs, const char* title) {
    auto* widget = new QWidget(&tabs);
    widget->setObjectName(QStringLiteral("page%1").arg(tabs.count()));
    widget->setProperty(kTabPage, true);
    tabs.addTab(widget, u(title));
    return widget;
}

void reportList(QWidget* parent, const char* name, std::initializer_list<const char*> columns,
                int x, int y, int w, int h) {
    auto* list = new ReportList(u(name), items(columns), parent);
    TabControl::placeByDesign(list, QRect(x, y, w, h));
}

const auto kCounts20 = {"20", "40", "60", "80", "100"};

}  // namespace

void buildTopControls(QWidget& window) {
    combo(&window, "组合框_皮肤", items({"皮肤一", "皮肤二", "皮肤三", "皮肤四", "皮肤五"}), 784,
          3, 80, 22);
    auto* contactSmall = place<QLabel>(&window, "图片框3", 656, 3, 22, 22);
    contactSmall->setPixmap(QPixmap(QStringLiteral(":/orvanix/contact-small.png")));
    auto* contactWide = place<QLabel>(&window, "图片框1", 686, 3, 90, 22);
    contactWide->setPixmap(QPixmap(QStringLiteral(":/orvanix/contact-wide.png")));
    // Hosts the maker's usage page; too small to show anything.
    place<QWidget>(&window, "超文本浏览框1", 872, 0, 48, 24);
    // A scratch box, mostly above the client area.
    place<QLineEdit>(&window, "编辑框1", 648, -16, 32, 24)->hide();
}

void buildNetdiskPage(QTabWidget& tabs) {
    QWidget* p = page(tabs, "网盘搜索区");
    searchRow(p, "透明标签1", "编辑框_搜索的内容", "按钮_开始搜索_网盘搜索", "按钮_停止");
    label(p, "透明标签2", "每个网盘检索条目:", 520, 40, 112, 24);
    combo(p, "组合框4", items(kCounts20), 632, 40, 72, 20);
    place<QListWidget>(p, "选择列表框_网盘资源", 16, 75, 200, 445);
    place<QCheckBox>(p, "选择框1", 18, 531, 56, 16)->setText(u("全选"));
    button(p, "按钮_删除网盘项目", "删除", 74, 526, 64, 24);
    button(p, "按钮_添加2", "添加", 152, 526, 64, 24);
    reportList(p, "超级列表框_检索内容", {"序号", "文件名", "站点", "文件大小", "上传日期", "网盘链接"},
               225, 75, 687, 475);
}

void buildMagnetPage(QTabWidget& tabs) {
    QWidget* p = page(tabs, "★大片★资料★磁链搜索 ");
    searchRow(p, "透明标签3", "编辑框_搜索的内容1", "按钮_开始搜索_磁链搜索", "按钮_停止1");
    label(p, "透明标签7", "模式:", 520, 40, 38, 24);
    combo(p, "组合框_模式", items({"BT樱桃", "DHT"}), 558, 40, 72, 20);
    label(p, "透明标签4", "搜索数量:", 648, 40, 56, 24);
    combo(p, "组合框1", items(kCounts20), 704, 40, 72, 20);
    // The page's hint, in small type under the keyword box.
    auto* hint = label(p, "透明标签_提示", "可离线下载到网盘观看电影,或收藏资料", 91, 61, 232, 14);
    hint->setStyleSheet(QStringLiteral("color: #c0392b; font-size: 11px;"));
    reportList(p, "超级列表框_磁链检索内容", {"序号", "文件名", "文件大小", "收录时间", "磁链"}, 8,
               75, 904, 475);
}

void buildSharePage(QTabWidget& tabs) {
    QWidget* p = page(tabs, "百度网盘搜索");
    searchRow(p, "透明标签5", "编辑框_搜索的内容2", "按钮_开始搜索_百度网盘搜索", "按钮_停止2");
    label(p, "透明标签10", "模式:", 520, 38, 38, 24);
    combo(p, "组合框_百度云模式", items({"模式一", "模式二", "模式三"}), 558, 40, 80, 20);
    label(p, "透明标签6", "搜索数量:", 648, 40, 56, 24);
    combo(p, "组合框2", items({"10", "20", "30", "40", "50", "60", "70", "80", "90", "100"}), 704,
          40, 72, 16);
    reportList(p, "超级列表框_百度网盘检索内容", {"序号", "文件名", "文件大小", "收录时间", "网盘链接"},
               8, 75, 904, 475);
}

void buildShoppingPage(QTabWidget& tabs) {
    QWidget* p = page(tabs, "淘宝/天猫商品搜索");
    searchRow(p, "透明标签8", "编辑框_搜索的内容_购物", "按钮_开始搜索_购物", "按钮_停止3");
    label(p, "透明标签9", "商品数:", 520, 40, 48, 24);
    combo(p, "组合框3", items({"44", "88", "132", "176", "220", "264"}), 568, 40, 64, 20);
    auto* timer = new QTimer(p);
    timer->setObjectName(u("时钟1"));
    reportList(p, "超级列表框_商品搜索",
               {"序号", "商品名称", "原价", "价格", "销量", "店铺名称", "类型", "商品地址", "图片地址"},
               8, 75, 904, 475);
}

void buildFeedbackPage(QTabWidget& tabs) {
    QWidget* p = page(tabs, "反馈留言");
    // The feedback page's view goes into this frame when the page is first shown.
    auto* frame = place<QWidget>(p, "超文本浏览框_反馈", 56, 32, 800, 496);
    auto* notice = new QLabel(u("反馈页面正在准备中……"), frame);
    notice->setObjectName(u("反馈提示"));
    notice->setAlignment(Qt::AlignCenter);
    notice->setGeometry(0, 0, 800, 496);
}

}  // namespace orvanix
