#include "app/gui/feedback_page.h"

#include <QDir>
#include <QEvent>
#include <QLabel>
#include <QPluginLoader>
#include <QTimer>
#include <QUrl>
#include <QVBoxLayout>

#include "app/gui/feedback_view_interface.h"
#include "app/gui/main_window.h"
#include "app/process_state.h"
#include "web/endpoints.h"

namespace orvanix {

namespace {

const QString kFrameName = QStringLiteral("超文本浏览框_反馈");
const QString kNoticeName = QStringLiteral("反馈提示");
const QString kViewName = QStringLiteral("反馈网页");
constexpr const char* kLoadTried = "feedbackPluginTried";
constexpr const char* kPluginProperty = "feedbackPlugin";
constexpr const char* kWaitingForShow = "feedbackWaitingForShow";

// The plugin's entry object; nullptr (and `error` says why) when the plugin
// file is missing, cannot be loaded or does not offer the view.
QObject* loadPlugin(QString& error) {
    const QString directory = QString::fromStdString(processState().runDirectory);
    QPluginLoader loader(QDir(directory).filePath(kFeedbackPluginFile));
    QObject* instance = loader.instance();
    if (!instance) {
        error = loader.errorString();
    } else if (!qobject_cast<FeedbackViewPlugin*>(instance)) {
        error = QStringLiteral("the plugin does not offer a feedback view");
        instance = nullptr;
    }
    return instance;
}

// Loads the plugin and puts its web view into the frame, in place of the notice.
// nullptr without the plugin; the notice then stays.
QWidget* createView(QWidget& frame) {
    QString error;
    QObject* instance = loadPlugin(error);
    auto* notice = frame.findChild<QLabel*>(kNoticeName);
    if (!instance) {
        if (notice) notice->setToolTip(error);
        return nullptr;
    }
    QWidget* view = qobject_cast<FeedbackViewPlugin*>(instance)->createView(&frame);
    view->setObjectName(kViewName);
    view->setProperty(kPluginProperty, QVariant::fromValue(instance));
    auto* layout = new QVBoxLayout(&frame);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(view);
    if (notice) notice->hide();
    view->show();
    return view;
}

}  // namespace

QString feedbackPageAddress() {
    return QStringLiteral("http://") + QString::fromStdString(endpointHost(Endpoint::maker)) +
           QStringLiteral("/orvlune/access/index.php");
}

namespace {

// Runs the feedback page's first showing once the window is on screen, so a
// start restored onto page 4 shows its window before the web engine loads.
class ShowWhenVisible : public QObject {
public:
    explicit ShowWhenVisible(MainWindow& window) : QObject(&window), window_(window) {
        window.installEventFilter(this);
    }

    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Show) {
            window_.removeEventFilter(this);
            if (auto* frame = window_.control<QWidget>(kFrameName))
                frame->setProperty(kWaitingForShow, false);
            QTimer::singleShot(0, &window_, [window = &window_] { showFeedbackPage(*window); });
            deleteLater();
        }
        return false;
    }

private:
    MainWindow& window_;
};

}  // namespace

void showFeedbackPage(MainWindow& window) {
    auto* frame = window.control<QWidget>(kFrameName);
    if (!frame) return;
    if (!window.isVisible()) {
        if (!frame->property(kWaitingForShow).toBool()) {
            frame->setProperty(kWaitingForShow, true);
            new ShowWhenVisible(window);
        }
        return;
    }
    auto* view = frame->findChild<QWidget*>(kViewName, Qt::FindDirectChildrenOnly);
    if (!view) {
        // The plugin is looked for once; a window without it keeps its notice.
        if (frame->property(kLoadTried).toBool()) return;
        frame->setProperty(kLoadTried, true);
        view = createView(*frame);
        if (!view) return;
    }
    auto* plugin =
        qobject_cast<FeedbackViewPlugin*>(view->property(kPluginProperty).value<QObject*>());
    if (plugin) plugin->load(view, QUrl(feedbackPageAddress()));
}

}  // namespace orvanix
