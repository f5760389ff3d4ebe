#pragma once

#include <QString>

namespace orvanix {

class MainWindow;

// Hands a link cut from a page to the desktop's open service, but only when it is
// an http or https address; anything else is not opened. Returns whether it was.
bool openCutLink(MainWindow& window, const QString& link);

}  // namespace orvanix
