#pragma once

#include <QString>

namespace orvanix {

// The message boxes of the site list and its dialog. Tests put a recording fake
// in its place.
class MessagePort {
public:
    virtual ~MessagePort() = default;
    // A box with one OK button.
    virtual void inform(const QString& title, const QString& text) = 0;
    // A box with OK and Cancel; true when the user chose OK.
    virtual bool confirm(const QString& title, const QString& text) = 0;
};

// Real message boxes: application-modal, without an owner window.
class MessageBoxes : public MessagePort {
public:
    void inform(const QString& title, const QString& text) override;
    bool confirm(const QString& title, const QString& text) override;
};

// The title of a plain information box.
inline const QString kInfoTitle = QStringLiteral("信息：");

}  // namespace orvanix
