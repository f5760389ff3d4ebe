#pragma once

#include <QPointer>
#include <memory>

class QComboBox;
class QLineEdit;
class QListWidget;
class QPushButton;

#include "app/gui/main_window.h"
#include "search/gui/search_tabs.h"
#include "search/search_port.h"
#include "web/stop_token.h"

namespace orvanix {

// The window's side of a search worker's port. Every call is performed on the GUI
// thread while the worker waits; there the worker's stop token is checked first,
// so once a stop has been handled the worker's requests do nothing (reads give
// empty values, appendRow gives -1). Made on the GUI thread, used by one worker.
class QtSearchPort : public SearchPort {
public:
    QtSearchPort(MainWindow& window, const SearchTab& tab, SharedStopToken stop);

    std::string keyword() override;
    std::string selectedItemText(Combo combo) override;
    int selectedIndex(Combo combo) override;
    std::vector<std::string> checkedItems() override;
    void clearRows() override;
    int rowCount() override;
    int appendRow(std::string_view number) override;
    void setCell(int row, int column, std::string_view text) override;
    void setStatus(int part, std::string_view text) override;
    void enableStart() override;

private:
    // Runs `work` with the window on the GUI thread unless the worker was stopped
    // or the window is gone; then `fallback` is the result.
    template <typename Result, typename Work>
    Result request(Result fallback, Work&& work);
    template <typename Work>
    void request(Work&& work);
    QComboBox* combo(Combo which) const;

    // The tab's controls, found when the port is made; dereferenced on the GUI
    // thread only.
    QPointer<MainWindow> window_;
    QPointer<QLineEdit> keywordBox_;
    QPointer<QComboBox> countCombo_;
    QPointer<QComboBox> modeCombo_;
    QPointer<QListWidget> checkList_;
    QPointer<ReportList> resultList_;
    QPointer<QPushButton> startButton_;
    SharedStopToken stop_;
};

}  // namespace orvanix
