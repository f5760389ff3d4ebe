#pragma once

#include <QStringList>

#include "app/gui/shell_port.h"

namespace orvanix::test {

// Records what the program asks of the desktop; the pointer stays where a test puts it.
class FakeShell : public ShellPort {
public:
    struct Log {
        QStringList opened;
        QStringList clipboard;
        QPoint pointer{200, 150};
    };
    explicit FakeShell(Log& log) : log_(log) {}
    void open(const QString& address) override { log_.opened.append(address); }
    void setClipboardText(const QString& text) override { log_.clipboard.append(text); }
    QPoint pointerPosition() override { return log_.pointer; }

private:
    Log& log_;
};

}  // namespace orvanix::test
