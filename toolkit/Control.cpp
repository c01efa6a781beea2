#include "toolkit/Control.h"

#include <algorithm>

#include "toolkit/Window.h"

namespace toolkit {

namespace {

// Deep enough for any chain the program builds; a longer one can only be a loop.
constexpr int maxRoutingSteps = 64;

}  // namespace

int clampSize(int value) {
    return std::clamp(value, 0, maxExtent);
}
int clampPosition(int value) {
    return std::clamp(value, -maxExtent, maxExtent);
}

Control::Control(Window* window, ControlDesign design, QWidget* widget)
    : window_(window), design_(std::move(design)), widget_(widget) {
    if (widget_) {
        widget_->setObjectName(design_.name);
    }
}

Control::~Control() {
    if (widget_ && window_ != this) {
        delete widget_.data();
    }
}

void Control::adoptWidget(QWidget* widget) {
    widget_ = widget;
    widget_->setObjectName(design_.name);
}

int Control::left() const {
    return design_.left;
}
int Control::top() const {
    return design_.top;
}
int Control::width() const {
    return design_.width;
}
int Control::height() const {
    return design_.height;
}

void Control::setLeft(int value) {
    design_.left = clampPosition(value);
    applyGeometry();
}

void Control::setTop(int value) {
    design_.top = clampPosition(value);
    applyGeometry();
}

void Control::setWidth(int value) {
    design_.width = clampSize(value);
    applyGeometry();
}

void Control::setHeight(int value) {
    design_.height = clampSize(value);
    applyGeometry();
}

void Control::setGeometry(int left, int top, int width, int height) {
    design_.left = clampPosition(left);
    design_.top = clampPosition(top);
    design_.width = clampSize(width);
    design_.height = clampSize(height);
    applyGeometry();
}

void Control::applyGeometry() {
    if (widget_) {
        widget_->setGeometry(design_.left, design_.top, design_.width, design_.height);
    }
}

bool Control::isVisible() const {
    return widget_ ? !widget_->isHidden() : visibleSetting_;
}

void Control::setVisible(bool visible) {
    visibleSetting_ = visible;
    design_.visible = visible;
    if (widget_) {
        widget_->setVisible(visible);
    }
}

int Control::stackPlace() const {
    const auto& stack = window_->stackOf(parent_);
    const auto it = std::find(stack.begin(), stack.end(), this);
    return it == stack.end() ? -1 : static_cast<int>(it - stack.begin());
}

void Control::setParentControl(Control* parent) {
    if (parent == parent_ || parent == this) {
        return;
    }
    window_->removeFromStack(this);
    parent_ = parent;
    design_.parent = parent ? parent->name() : QString();
    if (widget_) {
        const bool visible = !widget_->isHidden();
        QWidget* host = parent ? parent->clientHost() : window_->clientHost();
        widget_->setParent(host);
        applyGeometry();
        widget_->setVisible(visible);
    }
    window_->placeInStack(this, 0);
}

QWidget* Control::clientHost() const {
    return widget_;
}

void Control::setHandler(EventKind kind, Handler handler) {
    handlers_[static_cast<int>(kind)] = std::move(handler);
}

bool Control::hasHandler(EventKind kind) const {
    return static_cast<bool>(handlers_[static_cast<int>(kind)]);
}

Event Control::raiseEvent(EventKind kind, std::array<int, 4> args) {
    Event event{kind, this, args, true};
    if (!EventGate::isOpen()) {
        notifyEventObserver(event, EventPhase::dropped);
        return event;
    }
    Control* owner = this;
    for (int step = 0; step < maxRoutingSteps; ++step) {
        Control* next = owner->routeTarget_;
        if (!next || next->kind() != owner->kind()) {
            break;
        }
        owner = next;
    }
    // A copy: the handler may replace itself while it runs.
    const Handler handler = owner->handlers_[static_cast<int>(kind)];
    notifyEventObserver(event, EventPhase::before);
    if (handler) {
        handler(event);
    }
    notifyEventObserver(event, EventPhase::after);
    return event;
}

bool redirectEvents(Control* source, Control* target) {
    if (!source) {
        return false;
    }
    if (!target) {
        source->routeTarget_ = nullptr;
        return true;
    }
    if (target == source || target->window() != source->window() ||
        target->kind() != source->kind()) {
        return false;
    }
    source->routeTarget_ = target;
    return true;
}

}  // namespace toolkit
