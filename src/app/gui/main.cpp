#include <QApplication>
#include <cstdio>
#include <cstdlib>

#include "app/gui/event_map.h"
#include "app/heap_tuning.h"
#include "app/gui/main_window.h"
#include "app/gui/startup.h"
#include "app/process_state.h"

int main(int argc, char** argv) {
    using namespace orvanix;
    keepPageMemory();
    ProcessState& state = processState();
    platformStartup(state);

    QApplication app(argc, argv);
    // The window may hide behind the tray icon; the program ends when it is closed.
    QApplication::setQuitOnLastWindowClosed(false);

    MainWindow window;
    QObject::connect(&window, &MainWindow::closed, &app, &QApplication::quit);
    wireEventMap(window, state);
    runCreatedHandler(window, state);
    const int status = QApplication::exec();
    runExitRoutine(state);

    // Detached workers may still be running: end the process without running
    // static destructors underneath them.
    std::fflush(nullptr);
    std::quick_exit(status);
}
