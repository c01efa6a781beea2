// The main window: built from its design, with its handlers, its card surfaces and its file
// dialog component.
#pragma once

#include <functional>
#include <memory>

#include "card/CardSurfaces.h"
#include "card/CardTemplate.h"
#include "pictures/CommonDlg.h"
#include "toolkit/Window.h"
#include "ui/BackgroundMusic.h"

namespace ui {

class MainWindow {
  public:
    // `templates` is the program-wide template list, filled on the first activation.
    explicit MainWindow(card::TemplateList& templates);
    ~MainWindow();

    // Loads the window: builds it and its controls with events off, then raises created
    // (which makes the surfaces, routes the edit boxes and shows the window, so the first card
    // is drawn), positionChanged and sizeChanged. All of it runs before this returns.
    void load();

    // Whether the window still exists (it has not been closed).
    bool exists() const;
    toolkit::Window& window() { return *window_; }
    card::CardSurfaces& surfaces() { return surfaces_; }
    pictures::CommonDlg& fileDialog() { return fileDialog_; }

    // Runs once the window and its controls are gone.
    void setOnUnloaded(std::function<void()> callback) { onUnloaded_ = std::move(callback); }

    // The handlers, each what its event runs.
    void renderCard();
    void chooseAvatar();
    void saveCard();

  private:
    void buildWindow();
    void bindHandlers();
    void created();
    void unloaded();

    card::TemplateList& templates_;
    std::unique_ptr<toolkit::Window> window_;
    card::CardSurfaces surfaces_;
    pictures::CommonDlg fileDialog_;
    std::unique_ptr<WindowMusic> music_;
    std::function<void()> onUnloaded_;
};

}  // namespace ui
