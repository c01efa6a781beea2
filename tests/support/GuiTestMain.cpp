// main() for test programs that drive real widgets: one QApplication for the whole run.
#include <unistd.h>

#include <gtest/gtest.h>
#include <QApplication>
#include <QStandardPaths>

#include "toolkit/Fonts.h"

int main(int argc, char** argv) {
    // Run headless when no display is given (CTest's discovery runs without our environment).
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    // Chromium refuses to run as root inside its sandbox.
    if (geteuid() == 0) {
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    }
    qputenv("QTWEBENGINE_CHROMIUM_FLAGS",
            "--disable-gpu --disable-background-networking --disable-component-update "
            "--disable-sync --no-first-run");
    // Nothing of a test run lands in the home folder's caches.
    qputenv("QT_DISABLE_SHADER_DISK_CACHE", "1");
    qputenv("MESA_SHADER_CACHE_DISABLE", "true");
    qputenv("QT_LOGGING_RULES", "qt.webenginecontext.info=false");
    ::testing::InitGoogleTest(&argc, argv);
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    // Qt's own file dialog keeps a history in the user's settings: not from tests.
    QStandardPaths::setTestModeEnabled(true);
    toolkit::installUiFonts();
    return RUN_ALL_TESTS();
}
