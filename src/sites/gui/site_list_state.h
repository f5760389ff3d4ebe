#pragma once

#include <QObject>
#include <cstdint>
#include <memory>

#include "sites/gui/message_port.h"

namespace orvanix {

class MainWindow;

// What the site list keeps beside the main window: the message boxes it shows and
// the number of the newest load applied to the list. Lives on the GUI thread.
class SiteListState : public QObject {
    Q_OBJECT

public:
    explicit SiteListState(QObject* parent);

    MessagePort& messages() { return *messages_; }
    void setMessages(std::unique_ptr<MessagePort> messages) { messages_ = std::move(messages); }

    // Loads are numbered as they start; an older load never replaces a newer one.
    bool takeLoad(std::uint64_t number);
    // The number of the load the list shows; 0 before the first.
    std::uint64_t appliedLoad() const { return appliedLoad_; }

private:
    std::unique_ptr<MessagePort> messages_;
    std::uint64_t appliedLoad_ = 0;
};

// The window's site-list state, made on first use. GUI thread only.
SiteListState& siteListState(MainWindow& window);

}  // namespace orvanix
