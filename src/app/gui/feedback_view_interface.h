#pragma once

#include <QUrl>
#include <QWidget>
#include <QtPlugin>

namespace orvanix {

// What the feedback view plugin offers: a web view for page 4. The program loads
// the plugin only when page 4 is first shown, so that the web engine costs
// nothing in runs that never open the page.
class FeedbackViewPlugin {
public:
    virtual ~FeedbackViewPlugin() = default;

    // A new web view, a child of `parent`.
    virtual QWidget* createView(QWidget* parent) = 0;

    // Navigates a view made by createView to `address`.
    virtual void load(QWidget* view, const QUrl& address) = 0;
};

}  // namespace orvanix

#define ORVANIX_FEEDBACK_VIEW_PLUGIN_IID "org.orvanix.FeedbackViewPlugin/1.0"
Q_DECLARE_INTERFACE(orvanix::FeedbackViewPlugin, ORVANIX_FEEDBACK_VIEW_PLUGIN_IID)
