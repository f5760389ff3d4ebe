#pragma once

#include <QObject>
#include <array>
#include <functional>
#include <memory>

#include "search/gui/search_tabs.h"
#include "search/search_frame.h"
#include "web/stop_token.h"

namespace orvanix {

class MainWindow;

// Starting and stopping the searches of the four tabs, and the one search worker
// slot they share. Lives on the GUI thread as a child of the main window; the
// slot is read and written only there.
class SearchControl : public QObject {
    Q_OBJECT
public:
    // Makes a new engine for each worker of a tab.
    using EngineFactory = std::function<std::unique_ptr<SearchEngine>()>;

    explicit SearchControl(MainWindow& window);

    // The window's search control (made by attachSearch), or nullptr.
    static SearchControl* of(const MainWindow& window);

    // The engine of a tab's workers. A tab without one shows the start steps but
    // starts no worker, so it stays in the searching state until stopped.
    void setEngine(int tab, EngineFactory factory);

    // Start: status "正在搜索中。。。。", start button disabled, a new worker into the slot.
    void start(int tab);
    // Enter in the tab's keyword box: the start steps (also while the start button
    // is disabled), then the keyboard focus goes to the tab's result list.
    void enter(int tab);
    // Stop: ends the slot's worker, whichever tab started it, enables this tab's
    // start button and sets the status "搜索已停止". Rows and row count stay.
    void stop(int tab);
    // A new worker of `tab` into the slot, without the other start steps.
    void startWorker(int tab);

    // The slot: the stop token of the newest worker; empty before the first start.
    const SharedStopToken& slot() const { return slot_; }

    // Search workers of the whole process that have not ended yet.
    static int runningWorkers();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    MainWindow& window_;
    std::array<EngineFactory, kSearchTabs> engines_;
    SharedStopToken slot_;
};

}  // namespace orvanix
