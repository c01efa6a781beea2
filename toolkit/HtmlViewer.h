// The browser pane: an embedded web browser that keeps its place for the window's life.
#pragma once

#include <QStringList>

#include "toolkit/Control.h"

class QWebEngineView;

namespace toolkit {

class BrowserPage;

class HtmlViewer : public Control {
  public:
    // Text size steps, smallest to largest; the middle one is the browser's normal size.
    static constexpr int smallestTextSize = 0;
    static constexpr int normalTextSize = 2;
    static constexpr int largestTextSize = 4;

    // Creates the embedded browser in the control's rectangle, applies the stored settings
    // (offline, silent, text size, in this order) and navigates to the stored `url` when there
    // is one.
    HtmlViewer(Window* window, const ControlDesign& design);
    ~HtmlViewer() override;

    // Whether `widget` is the pane or lies inside it (keys there belong to the page first).
    bool holds(const QWidget* widget) const;

    QWebEngineView* view() const;
    bool isOffline() const;
    bool isSilent() const;
    int textSizeStep() const { return textSizeStep_; }
    // Every address the program has sent the pane to, in order (what the user does inside
    // the page is not counted).
    const QStringList& navigations() const { return navigations_; }
    // The loads the browser has reported, whoever started them, and whether the last finished
    // one reached its page (an unreachable page finishes unsuccessfully, with the browser's own
    // error page shown).
    int loadsStarted() const { return loadsStarted_; }
    int loadsFinished() const { return loadsFinished_; }
    bool lastLoadSucceeded() const { return lastLoadSucceeded_; }

    // Offline: the page may not reach the network (requests to it are refused); off is the
    // browser's normal online behaviour.
    void setOffline(bool offline);
    // Silent: the page's own dialogs (alert, confirm, prompt) are suppressed.
    void setSilent(bool silent);
    // Steps outside 0..4 are held at the nearer end.
    void setTextSize(int step);
    void navigate(const QString& address);

  private:
    BrowserPage* page_ = nullptr;
    QList<QMetaObject::Connection> loadWatch_;
    int textSizeStep_ = normalTextSize;
    QStringList navigations_;
    int loadsStarted_ = 0;
    int loadsFinished_ = 0;
    bool lastLoadSucceeded_ = false;
};

}  // namespace toolkit
