// The top-level window of our window layer: owns its controls, keeps their stacking order,
// turns Qt's window events into ours in the orders the program relies on, and runs the
// closing sequence.
#pragma once

#include <QMargins>
#include <QPoint>
#include <QSize>
#include <functional>
#include <map>
#include <memory>
#include <vector>

#include "toolkit/Control.h"

namespace toolkit {

class WindowWidget;

class Window : public Control {
  public:
    // Builds the window itself, hidden, centred on the screen, without its controls.
    explicit Window(const WindowDesign& design);
    ~Window() override;

    // Builds every control of the design, hidden, with its parent, stacking place and stored
    // settings; then shows those whose visible setting is on, without activating anything.
    void buildControls();

    const WindowDesign& windowDesign() const { return windowDesign_; }
    Control* find(const QString& name) const;
    template <typename T>
    T* find(const QString& name) const {
        return dynamic_cast<T*>(find(name));
    }
    const std::vector<std::unique_ptr<Control>>& controls() const { return controls_; }

    // A copy of `source` built from its current settings: hidden, directly below the source in
    // the stacking order, without handlers, routing all its events to the source.
    Control* cloneControl(Control* source, const QString& name);

    // The window's left and top are those of its frame; width and height those of its outer
    // rectangle (frame included; with no window manager there is no frame).
    int left() const override;
    int top() const override;
    int width() const override;
    int height() const override;
    void setLeft(int value) override;
    void setTop(int value) override;
    void setWidth(int value) override;
    void setHeight(int value) override;
    int clientWidth() const;
    int clientHeight() const;
    void setVisible(bool visible) override;

    // Showing the hidden window activates it before show returns: firstActivated (once in the
    // window's life), then activated.
    void show();
    // Raises sizeChanged for the client size of the moment, changed or not.
    void raiseSizeChanged();
    // Asks the window to close, as its close box does.
    void requestClose();
    bool isDestroyed() const { return destroyed_; }
    // Runs after the window and its controls are gone (the program's end goes on from there).
    void setOnDestroyed(std::function<void()> callback) { onDestroyed_ = std::move(callback); }

    // The focus cycle: visible, enabled tab stops in ascending tab order, ties in design order.
    std::vector<Control*> focusCycle() const;
    // Moves the focus along the cycle from the control that has it.
    bool moveFocus(bool forward);

    // Stacking order of the controls of one parent (null: the window), top first.
    const std::vector<Control*>& stackOf(const Control* parent) const;

  private:
    friend class WindowWidget;
    friend class Control;

    std::unique_ptr<Control> makeControl(const ControlDesign& design);
    void placeInStack(Control* control, int place);
    void placeBelow(Control* control, Control* source);
    void removeFromStack(Control* control);
    void syncStack(const Control* parent);
    void applyOuterSize(int width, int height);
    void settleOuterSize();

    // From the window widget.
    void noticeClientSize();
    void noticeMoved();
    void noticeActivation(bool active);
    void closeRequested(bool& accept);
    void destroyWindow();

    WindowDesign windowDesign_;
    WindowWidget* windowWidget_;
    std::vector<std::unique_ptr<Control>> controls_;
    std::map<const Control*, std::vector<Control*>> stacks_;
    int cloneCount_ = 0;
    bool firstActivated_ = false;
    bool active_ = false;
    bool destroyed_ = false;
    bool destroying_ = false;
    QSize reportedClientSize_{-1, -1};
    QPoint reportedPosition_;
    QMargins marginsAtCreation_;
    bool outerSizeSettled_ = false;
    std::function<void()> onDestroyed_;
};

}  // namespace toolkit
