#pragma once

class QTabWidget;
class QWidget;

namespace orvanix {

// Builders for the controls of the main window, each placing its controls at
// their fixed design positions and naming them.
void buildTopControls(QWidget& window);
void buildNetdiskPage(QTabWidget& tabs);
void buildMagnetPage(QTabWidget& tabs);
void buildSharePage(QTabWidget& tabs);
void buildShoppingPage(QTabWidget& tabs);
void buildFeedbackPage(QTabWidget& tabs);

}  // namespace orvanix
