#include "sites/gui/message_port.h"

#include <QMessageBox>

namespace orvanix {

namespace {

QMessageBox::StandardButton show(QMessageBox::Icon icon, const QString& title, const QString& text,
                                 QMessageBox::StandardButtons buttons) {
    QMessageBox box(icon, title, text, buttons);
    box.setWindowModality(Qt::ApplicationModal);
    box.setDefaultButton(QMessageBox::Ok);
    return static_cast<QMessageBox::StandardButton>(box.exec());
}

}  // namespace

void MessageBoxes::inform(const QString& title, const QString& text) {
    show(QMessageBox::Information, title, text, QMessageBox::Ok);
}

bool MessageBoxes::confirm(const QString& title, const QString& text) {
    return show(QMessageBox::Warning, title, text, QMessageBox::Ok | QMessageBox::Cancel) ==
           QMessageBox::Ok;
}

}  // namespace orvanix
