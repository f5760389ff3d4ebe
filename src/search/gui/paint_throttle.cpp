#include "search/gui/paint_throttle.h"

#include <QWidget>

namespace orvanix {

namespace {

const QString kName = QStringLiteral("paintThrottle");

}  // namespace

PaintThrottle::PaintThrottle(QWidget& list) : QObject(&list), list_(list) {
    setObjectName(kName);
    timer_.setSingleShot(true);
    timer_.setInterval(kIntervalMs);
    connect(&timer_, &QTimer::timeout, this, [this] { list_.setUpdatesEnabled(true); });
}

PaintThrottle& PaintThrottle::of(QWidget& list) {
    if (auto* found = list.findChild<PaintThrottle*>(kName, Qt::FindDirectChildrenOnly)) {
        return *found;
    }
    return *new PaintThrottle(list);
}

void PaintThrottle::hold() {
    if (timer_.isActive()) return;
    list_.setUpdatesEnabled(false);
    timer_.start();
}

}  // namespace orvanix
