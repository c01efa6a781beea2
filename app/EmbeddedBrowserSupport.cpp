#include "app/EmbeddedBrowserSupport.h"

#include <unistd.h>

#include <QCoreApplication>
#include <QDir>

namespace app {

namespace {

// Chromium's own network traffic (component updates, sync, field trials, safe-browsing lists)
// is of no use to a pane that shows one forum; without a GPU device its GPU process only
// fails and warns, so it is not started.
QByteArray defaultChromiumFlags() {
    QByteArray flags =
        "--disable-background-networking --disable-component-update --disable-sync "
        "--disable-domain-reliability --no-first-run --no-default-browser-check "
        "--disable-gpu-shader-disk-cache";
    const bool noGpuDevice = QDir(QStringLiteral("/dev/dri")).entryList(QDir::System).isEmpty();
    if (noGpuDevice || qgetenv("QT_QPA_PLATFORM") == "offscreen") {
        flags += " --disable-gpu";
    }
    return flags;
}

}  // namespace

void prepareEmbeddedBrowser() {
    // Chromium will not start as root inside its sandbox (the whole process would exit), so
    // the sandbox is switched off then, and only then.
    if (geteuid() == 0) {
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    }
    // A user's own choice of flags wins over ours.
    if (!qEnvironmentVariableIsSet("QTWEBENGINE_CHROMIUM_FLAGS")) {
        qputenv("QTWEBENGINE_CHROMIUM_FLAGS", defaultChromiumFlags());
    }
    // The program writes no file but the card the user saves: no shader caches in the home
    // folder from Qt's scene graph or the GL driver either.
    if (!qEnvironmentVariableIsSet("QT_DISABLE_SHADER_DISK_CACHE")) {
        qputenv("QT_DISABLE_SHADER_DISK_CACHE", "1");
    }
    if (!qEnvironmentVariableIsSet("MESA_SHADER_CACHE_DISABLE")) {
        qputenv("MESA_SHADER_CACHE_DISABLE", "true");
    }
    if (qEnvironmentVariableIsEmpty("QT_LOGGING_RULES")) {
        qputenv("QT_LOGGING_RULES", "qt.webenginecontext.info=false");
    }
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
}

}  // namespace app
