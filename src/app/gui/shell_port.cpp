#include "app/gui/shell_port.h"

#include <QClipboard>
#include <QCursor>
#include <QDesktopServices>
#include <QGuiApplication>
#include <QUrl>

namespace orvanix {

void DesktopShell::open(const QString& address) {
    QDesktopServices::openUrl(QUrl(address, QUrl::TolerantMode));
}

void DesktopShell::setClipboardText(const QString& text) {
    QGuiApplication::clipboard()->setText(text);
}

QPoint DesktopShell::pointerPosition() { return QCursor::pos(); }

}  // namespace orvanix
