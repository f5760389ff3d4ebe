#pragma once

#include <QPoint>
#include <QString>

namespace orvanix {

// What the program asks of the desktop: opening links, the clipboard and the
// pointer position. Tests put a recording fake in its place.
class ShellPort {
public:
    virtual ~ShellPort() = default;
    // Hands an address to the desktop's open service (browser, magnet handler).
    virtual void open(const QString& address) = 0;
    virtual void setClipboardText(const QString& text) = 0;
    virtual QPoint pointerPosition() = 0;
};

// The real desktop.
class DesktopShell : public ShellPort {
public:
    void open(const QString& address) override;
    void setClipboardText(const QString& text) override;
    QPoint pointerPosition() override;
};

}  // namespace orvanix
