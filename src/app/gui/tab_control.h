#pragma once

#include <QRect>
#include <QTabWidget>

namespace orvanix {

// A tab control whose pages place their controls in the tab control's own
// coordinates (the tab bar included), as the window's design gives them. Each
// control keeps its design rectangle; the control moves it onto the page
// whenever the page area changes.
class TabControl : public QTabWidget {
    Q_OBJECT
public:
    explicit TabControl(QWidget* parent);

    // Places `control` (a child of a page) at `design`, in tab-control coordinates.
    static void placeByDesign(QWidget* control, QRect design);

protected:
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void applyDesign();
};

}  // namespace orvanix
