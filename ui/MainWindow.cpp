#include "ui/MainWindow.h"

#include <QCoreApplication>

#include "card/BuildTemplates.h"
#include "card/RenderCard.h"
#include "pictures/CardFileActions.h"
#include "toolkit/ComboBox.h"
#include "toolkit/EditBox.h"
#include "ui/ClosingThanks.h"
#include "ui/MainWindowDesign.h"
#include "ui/Relayout.h"

namespace ui {

namespace {

using toolkit::EventKind;

// The edit boxes whose text the card shows, in row order.
const char* const rowBoxes[card::rowCount] = {"编辑框1", "编辑框2", "编辑框3", "编辑框4",
                                              "编辑框6"};

void processPendingEvents() {
    QCoreApplication::processEvents(QEventLoop::AllEvents);
}

}  // namespace

MainWindow::MainWindow(card::TemplateList& templates) : templates_(templates) {}

MainWindow::~MainWindow() = default;

bool MainWindow::exists() const {
    return window_ && !window_->isDestroyed();
}

void MainWindow::load() {
    processPendingEvents();
    toolkit::EventGate::close();
    buildWindow();
    processPendingEvents();
    toolkit::EventGate::reopen();

    window_->raiseEvent(EventKind::created);
    if (exists()) {
        window_->raiseEvent(EventKind::positionChanged);
    }
    if (exists()) {
        window_->raiseSizeChanged();
    }
    if (exists() && window_->isVisible()) {
        window_->show();
    }
}

void MainWindow::buildWindow() {
    window_ = std::make_unique<toolkit::Window>(mainWindowDesign());
    // The music starts as soon as the window itself exists, before its controls; where there
    // is no sound output it stays silent.
    music_ = std::make_unique<WindowMusic>();
    music_->startWindowMusic();
    window_->buildControls();
    window_->setOnDestroyed([this] { unloaded(); });
    bindHandlers();
}

void MainWindow::bindHandlers() {
    toolkit::Window& w = *window_;
    w.setHandler(EventKind::created, [this](toolkit::Event&) { created(); });
    w.setHandler(EventKind::firstActivated, [this](toolkit::Event&) {
        card::buildTemplates(templates_,
                             *window_->find<toolkit::ComboBox>(QStringLiteral("组合框1")),
                             [this] { renderCard(); });
    });
    w.setHandler(EventKind::sizeChanged, [this](toolkit::Event&) { relayoutWindow(*window_); });
    w.setHandler(EventKind::willBeDestroyed, [](toolkit::Event&) { thankAndOpenHomePage(); });
    w.find(QStringLiteral("编辑框1"))
        ->setHandler(EventKind::contentChanged, [this](toolkit::Event&) { renderCard(); });
    w.find(QStringLiteral("组合框1"))->setHandler(EventKind::itemSelected, [this](toolkit::Event&) {
        renderCard();
    });
    w.find(QStringLiteral("按钮1"))->setHandler(EventKind::clicked, [this](toolkit::Event&) {
        saveCard();
    });
    w.find(QStringLiteral("按钮2"))->setHandler(EventKind::clicked, [this](toolkit::Event&) {
        chooseAvatar();
    });
    // The canvas repaints from its buffer by itself and the note answers nothing: these
    // handlers exist and do nothing.
    w.find(QStringLiteral("画板1"))->setHandler(EventKind::paint, [](toolkit::Event&) {});
    w.find(QStringLiteral("标签4"))->setHandler(EventKind::feedback, [](toolkit::Event&) {});
}

void MainWindow::created() {
    toolkit::Window& w = *window_;
    surfaces_ = card::createSurfaces(w, *w.find<toolkit::DrawPanel>(QStringLiteral("画板1")));
    toolkit::Control* nickname = w.find(QStringLiteral("编辑框1"));
    for (const char* name : {"编辑框2", "编辑框3", "编辑框4", "编辑框6", "编辑框5"}) {
        toolkit::redirectEvents(w.find(QString::fromUtf8(name)), nickname);
    }
    // Showing activates the window before it returns: the first activation fills the
    // templates and draws the first card here, with the canvas at its stored size.
    w.setVisible(true);
    processPendingEvents();
}

void MainWindow::renderCard() {
    toolkit::Window& w = *window_;
    card::CardTexts texts;
    for (int row = 0; row < card::rowCount; ++row) {
        texts[row] = w.find<toolkit::EditBox>(QString::fromUtf8(rowBoxes[row]))->content();
    }
    const int selection = w.find<toolkit::ComboBox>(QStringLiteral("组合框1"))->currentSelection();
    const QString avatar = w.find<toolkit::EditBox>(QStringLiteral("编辑框5"))->content();
    card::renderCard(templates_, selection, texts, avatar, surfaces_);
}

void MainWindow::chooseAvatar() {
    pictures::chooseAvatar(fileDialog_, *window_->find<toolkit::EditBox>(QStringLiteral("编辑框5")),
                           window_->widget());
}

void MainWindow::saveCard() {
    pictures::saveCard(fileDialog_, *surfaces_.preview, window_->widget());
}

void MainWindow::unloaded() {
    surfaces_ = {};
    // After willBeDestroyed: the music played on while the thank-you box was up.
    if (music_) {
        music_->stopWindowMusic();
    }
    if (onUnloaded_) {
        onUnloaded_();
    }
}

}  // namespace ui
