#include "app/Program.h"

#include <QApplication>
#include <QDir>
#include <exception>
#include <optional>

#include "app/EmbeddedBrowserSupport.h"
#include "app/QtTranslations.h"
#include "card/CardTemplate.h"
#include "toolkit/Events.h"
#include "toolkit/FatalError.h"
#include "toolkit/Fonts.h"
#include "ui/MainWindow.h"

namespace app {

namespace {

// The one shutdown hook: releases every template record, then the list. Runs at most once.
class TemplateListOwner {
  public:
    card::TemplateList& create() { return list_.emplace(); }
    void releaseTemplateList() {
        if (list_) {
            list_->clear();
            list_.reset();
        }
    }

  private:
    std::optional<card::TemplateList> list_;
};

}  // namespace

int runProgram(int argc, char** argv, const ProgramHooks& hooks) {
    prepareEmbeddedBrowser();
    QApplication application(argc, argv);
    // The window's own closing sequence ends the loop, not Qt's last-window rule.
    QApplication::setQuitOnLastWindowClosed(false);
    toolkit::installUiFonts();
    installQtTranslations(application);
    // A relative avatar path is resolved against the program's own folder until a file
    // dialog moves the working directory.
    QDir::setCurrent(QCoreApplication::applicationDirPath());

    TemplateListOwner templates;
    card::TemplateList& templateList = templates.create();

    bool loopStarted = false;
    bool windowGone = false;
    ui::MainWindow mainWindow(templateList);
    mainWindow.setOnUnloaded([&] {
        windowGone = true;
        if (loopStarted) {
            QCoreApplication::exit(0);
        }
    });
    try {
        mainWindow.load();
    } catch (const std::exception& error) {
        toolkit::raiseFatalError(
            0, QStringLiteral("无法创建主窗口：") + QString::fromUtf8(error.what()));
    }
    if (hooks.afterLoad) {
        hooks.afterLoad(mainWindow);
    }

    int status = 0;
    if (!windowGone && mainWindow.exists()) {
        loopStarted = true;
        status = QApplication::exec();
    }
    toolkit::EventGate::close();
    templates.releaseTemplateList();
    return status;
}

}  // namespace app
