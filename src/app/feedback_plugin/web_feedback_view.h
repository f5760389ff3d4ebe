#pragma once

#include <QObject>

#include "app/gui/feedback_view_interface.h"

namespace orvanix {

// The plugin's entry object: makes QWebEngineView views for the feedback page.
class WebFeedbackView : public QObject, public FeedbackViewPlugin {
    Q_OBJECT
    Q_PLUGIN_METADATA(IID ORVANIX_FEEDBACK_VIEW_PLUGIN_IID)
    Q_INTERFACES(orvanix::FeedbackViewPlugin)
public:
    QWidget* createView(QWidget* parent) override;
    void load(QWidget* view, const QUrl& address) override;
};

}  // namespace orvanix
