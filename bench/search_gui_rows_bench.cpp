// The cost of one result row (appendRow plus five setCell) sent by a worker thread
// through the real window's GUI-thread request path, offscreen; and the cost of
// repainting a result list that holds 10,000 rows.
#include <benchmark/benchmark.h>
#include <QApplication>
#include <QCoreApplication>
#include <QElapsedTimer>

#include <atomic>
#include <thread>

#include "app/gui/main_window.h"
#include "search/gui/qt_search_port.h"
#include "search/gui/search_tabs.h"

namespace orvanix {
namespace {

MainWindow& window() {
    static MainWindow* shown = [] {
        auto* made = new MainWindow;
        if (qEnvironmentVariableIsEmpty("BENCH_HIDDEN")) made->show();
        return made;
    }();
    return *shown;
}

ReportList& netdiskList() {
    return window().reportList(QString::fromUtf8(kSearchTabControls[kNetdiskTab].resultList));
}

// One netdisk row as a search lists it.
void listRow(SearchPort& port) {
    const int row = port.appendRow(std::to_string(port.rowCount() + 1));
    port.setCell(row, 5, "http://pan.example.com/s/1abcdefgh");
    port.setCell(row, 4, "2019-05-01");
    port.setCell(row, 3, "1.5G");
    port.setCell(row, 2, "\xBC\xD7\xC5\xCC");                      // 甲盘
    port.setCell(row, 1, "\xD6\xD0\xCE\xC4\xD7\xCA\xC1\xCF.zip");  // 中文资料.zip
}

// A worker lists `rows` rows while the GUI thread serves its requests.
void listRows(int rows) {
    QtSearchPort port(window(), kSearchTabControls[kNetdiskTab], makeStopToken());
    std::atomic<bool> done{false};
    std::thread worker([&] {
        for (int i = 0; i < rows; ++i) listRow(port);
        done = true;
    });
    QEventLoop loop;
    while (!done) loop.processEvents(QEventLoop::WaitForMoreEvents);
    worker.join();
    QCoreApplication::processEvents();  // the view catches up, as the user sees it
}

// The same rows listed on the GUI thread itself: the widget work alone, without
// the hand-over between threads.
void BM_RowOnGuiThread(benchmark::State& state) {
    netdiskList().rows().clear();
    QtSearchPort port(window(), kSearchTabControls[kNetdiskTab], makeStopToken());
    for (auto _ : state) listRow(port);
    QCoreApplication::processEvents();
    state.counters["us_per_row"] =
        benchmark::Counter(static_cast<double>(state.iterations()) / 1e6,
                           benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_RowOnGuiThread)->Unit(benchmark::kMicrosecond);

// Per row, with the list holding `prefill` rows before the batch.
void BM_RowThroughGuiRequests(benchmark::State& state) {
    const int prefill = static_cast<int>(state.range(0));
    constexpr int kBatch = 1000;
    for (auto _ : state) {
        state.PauseTiming();
        netdiskList().rows().clear();
        if (prefill > 0) listRows(prefill);
        state.ResumeTiming();
        listRows(kBatch);
    }
    // Rows in millionths: inverted as a rate this reads as microseconds per row.
    state.counters["us_per_row"] =
        benchmark::Counter(static_cast<double>(state.iterations() * kBatch) / 1e6,
                           benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_RowThroughGuiRequests)
    ->Arg(0)
    ->Arg(10000)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

// A full repaint of the list's viewport with 10,000 rows in it (only the visible
// rows are painted).
void BM_RepaintListOf10000Rows(benchmark::State& state) {
    netdiskList().rows().clear();
    listRows(10000);
    // Past the paint throttle's interval, so that the list paints again.
    QElapsedTimer waited;
    waited.start();
    while (waited.elapsed() < 200) QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    for (auto _ : state) netdiskList().viewport()->repaint();
}
BENCHMARK(BM_RepaintListOf10000Rows)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace orvanix

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
