#include "web_feedback_view.h"

#include <QCoreApplication>
#include <QOpenGLContext>
#include <QWebEngineView>

// Qt's process-wide OpenGL context that the web engine shares its textures
// with (exported by Qt GUI, declared in its private headers).
Q_GUI_EXPORT QOpenGLContext* qt_gl_global_share_context();
Q_GUI_EXPORT void qt_gl_set_global_share_context(QOpenGLContext* context);

namespace orvanix {

namespace {

// The web engine needs a shared OpenGL context. A program that links the engine
// gets one when its application object is made; this plugin is loaded later, so
// it makes the context itself before the first view exists.
void ensureSharedGlContext() {
    if (qt_gl_global_share_context()) return;
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    auto* context = new QOpenGLContext(QCoreApplication::instance());
    context->create();
    qt_gl_set_global_share_context(context);
}

}  // namespace

QWidget* WebFeedbackView::createView(QWidget* parent) {
    ensureSharedGlContext();
    return new QWebEngineView(parent);
}

void WebFeedbackView::load(QWidget* view, const QUrl& address) {
    if (auto* web = qobject_cast<QWebEngineView*>(view)) web->load(address);
}

}  // namespace orvanix
