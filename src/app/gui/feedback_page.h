#pragma once

#include <QString>

namespace orvanix {

class MainWindow;

// The plugin file that holds the feedback web view, relative to the run
// directory.
inline const QString kFeedbackPluginFile = QStringLiteral("plugins/liborvanix_feedback_view.so");

// The address of the maker's feedback page.
QString feedbackPageAddress();

// Shows the feedback page in page 4's frame 超文本浏览框_反馈. The first call
// loads the web view plugin from the run directory and puts its view into the
// frame; every call navigates the view to the feedback page anew. Without the
// plugin the frame keeps its notice 反馈提示. While the window is not yet on
// screen (the start-up restore), this waits until it is. GUI thread only.
void showFeedbackPage(MainWindow& window);

}  // namespace orvanix
