// Entry of the GUI tests: one QApplication for the whole run, then GoogleTest.
#include <QApplication>
#include <gtest/gtest.h>

#if defined(__has_feature)
#if __has_feature(address_sanitizer)
// QtWebEngine's own (uninstrumented) Chromium code frees some objects through a
// base of another size, which AddressSanitizer reports when a web view is
// destroyed. Our code stays checked for everything else; leaks of the toolkit's
// process-lifetime objects are not reported.
extern "C" const char* __asan_default_options() {
    return "new_delete_type_mismatch=0:detect_leaks=0";
}
#endif
#endif

int main(int argc, char** argv) {
    // The real window without a display, and a web engine that may run as root.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
