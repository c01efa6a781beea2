#include "app/EmbeddedBrowserSupport.h"

#include <unistd.h>

#include <QCoreApplication>

namespace app {

void prepareEmbeddedBrowser() {
    // Chromium will not start as root inside its sandbox (the whole process would exit), so
    // the sandbox is switched off then, and only then.
    if (geteuid() == 0) {
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    }
    if (qEnvironmentVariableIsEmpty("QT_LOGGING_RULES")) {
        qputenv("QT_LOGGING_RULES", "qt.webenginecontext.info=false");
    }
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
}

}  // namespace app
