#include "app/gui/tab_control.h"

#include <QVariant>

namespace orvanix {

namespace {
constexpr const char* kDesignProperty = "designRect";
}

TabControl::TabControl(QWidget* parent) : QTabWidget(parent) {}

void TabControl::placeByDesign(QWidget* control, QRect design) {
    control->setProperty(kDesignProperty, design);
    control->setGeometry(design);
}

void TabControl::resizeEvent(QResizeEvent* event) {
    QTabWidget::resizeEvent(event);
    applyDesign();
}

void TabControl::showEvent(QShowEvent* event) {
    QTabWidget::showEvent(event);
    applyDesign();
}

void TabControl::applyDesign() {
    if (!currentWidget()) return;
    // Pages share one area; the current page's offset holds for all of them.
    const QPoint offset = currentWidget()->mapTo(this, QPoint(0, 0));
    for (int i = 0; i < count(); ++i) {
        QWidget* page = widget(i);
        for (QObject* child : page->children()) {
            auto* control = qobject_cast<QWidget*>(child);
            if (!control) continue;
            const QVariant design = control->property(kDesignProperty);
            if (design.isValid()) control->setGeometry(design.toRect().translated(-offset));
        }
    }
}

}  // namespace orvanix
