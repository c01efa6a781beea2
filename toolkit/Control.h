// A control of our window layer: a named, kinded wrapper around a Qt widget with its own
// handler table, a routing target and geometry kept within the layer's bounds.
#pragma once

#include <QPointer>
#include <QWidget>
#include <array>
#include <vector>

#include "toolkit/ControlDesign.h"
#include "toolkit/Events.h"

namespace toolkit {

class Window;

// Written sizes and positions are held within these bounds.
inline constexpr int maxExtent = 32627;
int clampSize(int value);
int clampPosition(int value);

class Control {
  public:
    Control(Window* window, ControlDesign design, QWidget* widget);
    virtual ~Control();
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    const QString& name() const { return design_.name; }
    ControlKind kind() const { return design_.kind; }
    Window* window() const { return window_; }
    // The control whose client area holds this one; null for the window and its direct children.
    Control* parent() const { return parent_; }
    QWidget* widget() const { return widget_; }
    // The current settings: the stored design with every change made since.
    const ControlDesign& design() const { return design_; }

    // Left and top relative to the parent's client area; width and height of the outer rectangle.
    virtual int left() const;
    virtual int top() const;
    virtual int width() const;
    virtual int height() const;
    virtual void setLeft(int value);
    virtual void setTop(int value);
    virtual void setWidth(int value);
    virtual void setHeight(int value);
    void setGeometry(int left, int top, int width, int height);
    bool isVisible() const;
    virtual void setVisible(bool visible);

    // 0 is the top of the stacking order among the controls of the same parent.
    int stackPlace() const;

    // Gives the control a new parent: left, top, width and height keep their numbers, now
    // counted from the new parent's client area, which clips it. Null: the window.
    void setParentControl(Control* parent);

    void setHandler(EventKind kind, Handler handler);
    bool hasHandler(EventKind kind) const;
    Control* routeTarget() const { return routeTarget_; }

    // Raises an event from this control: dropped while the event gate is closed, else handled
    // by the handler table at the end of the routing chain. Returns the event with its answer.
    Event raiseEvent(EventKind kind, std::array<int, 4> args = {});

    // The widget that holds the control's children: the inside of its border.
    virtual QWidget* clientHost() const;

  protected:
    ControlDesign& mutableDesign() { return design_; }
    // For kinds whose widget reads the control's own settings and so is made after it.
    void adoptWidget(QWidget* widget);
    // Moves the widget to the geometry held in the design.
    virtual void applyGeometry();

  private:
    friend class Window;
    friend bool redirectEvents(Control* source, Control* target);

    Window* window_;
    ControlDesign design_;
    QPointer<QWidget> widget_;
    Control* parent_ = nullptr;
    std::array<Handler, eventKindCount> handlers_{};
    Control* routeTarget_ = nullptr;
    bool visibleSetting_ = true;  // for controls without a widget
};

// Routes every event of `source` to the handlers of `target`. The target must be in the same
// window and of the same kind; else nothing changes and false is returned. Null clears it.
bool redirectEvents(Control* source, Control* target);

}  // namespace toolkit
