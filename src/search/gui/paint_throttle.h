#pragma once

#include <QObject>
#include <QPointer>
#include <QTimer>

class QWidget;

namespace orvanix {

// Lets a result list repaint at most every few tens of milliseconds while a
// worker streams rows into it. Each worker request ends with a pass of the event
// loop, which would otherwise repaint the whole list after every single cell.
// GUI thread only; lives as a child of the list it throttles.
class PaintThrottle : public QObject {
    Q_OBJECT
public:
    static constexpr int kIntervalMs = 40;

    // The throttle of `list`, made on first use.
    static PaintThrottle& of(QWidget& list);

    // A change is coming: paints wait until the interval is over, then one
    // repaint shows everything changed meanwhile.
    void hold();

private:
    explicit PaintThrottle(QWidget& list);

    QWidget& list_;
    QTimer timer_;
};

}  // namespace orvanix
