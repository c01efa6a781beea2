#include "toolkit/Window.h"

#include <QApplication>
#include <QGuiApplication>
#include <QIcon>
#include <QPalette>
#include <QPixmap>
#include <QScreen>
#include <QWindow>
#include <algorithm>

#include "toolkit/Button.h"
#include "toolkit/ComboBox.h"
#include "toolkit/DrawPanel.h"
#include "toolkit/EditBox.h"
#include "toolkit/HtmlViewer.h"
#include "toolkit/HyperLinker.h"
#include "toolkit/Label.h"
#include "toolkit/ShapeBox.h"
#include "toolkit/WindowWidget.h"
#include "toolkit/WindowlessControl.h"

namespace toolkit {

namespace {

ControlDesign windowRecord(const WindowDesign& design) {
    ControlDesign record;
    record.name = design.name;
    record.kind = ControlKind::Window;
    record.text = design.title;
    record.width = design.outerWidth;
    record.height = design.outerHeight;
    record.backColor = design.backColor;
    return record;
}

QIcon iconFrom(const Picture& picture) {
    if (picture.width <= 0 || picture.height <= 0) {
        return {};
    }
    const QImage image(reinterpret_cast<const uchar*>(picture.pixels.data()), picture.width,
                       picture.height, picture.width * 4,
                       picture.hasMask ? QImage::Format_ARGB32 : QImage::Format_RGB32);
    return QIcon(QPixmap::fromImage(image.copy()));
}

}  // namespace

Window::Window(const WindowDesign& design)
    : Control(this, windowRecord(design), nullptr), windowDesign_(design) {
    windowWidget_ = new WindowWidget(*this);
    adoptWidget(windowWidget_);
    windowWidget_->setWindowTitle(design.title);
    QPalette palette = windowWidget_->palette();
    palette.setColor(QPalette::Window, backgroundColor(design.backColor));
    windowWidget_->setPalette(palette);
    if (design.icon) {
        windowWidget_->setWindowIcon(iconFrom(*design.icon));
    }
    // The platform window exists from here on, so the frame's metrics are known (where a
    // desktop draws a frame) when the outer size is applied.
    static_cast<void>(windowWidget_->winId());
    if (const QWindow* handle = windowWidget_->windowHandle()) {
        marginsAtCreation_ = handle->frameMargins();
    }
    applyOuterSize(design.outerWidth, design.outerHeight);
    // Centred on the screen, each quotient cut toward zero (negative on a small screen).
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->geometry();
        windowWidget_->move(area.x() + (area.width() - design.outerWidth) / 2,
                            area.y() + (area.height() - design.outerHeight) / 2);
    }
    // Qt reports the first move and resize when the window is first shown; they change
    // nothing, so they raise nothing.
    reportedClientSize_ = QSize(clientWidth(), clientHeight());
    reportedPosition_ = QPoint(left(), top());
    stacks_[nullptr] = {};
}

Window::~Window() {
    controls_.clear();
    delete windowWidget_;
}

std::unique_ptr<Control> Window::makeControl(const ControlDesign& design) {
    switch (design.kind) {
        case ControlKind::EditBox:
            return std::make_unique<EditBox>(this, design);
        case ControlKind::ComboBox:
            return std::make_unique<ComboBox>(this, design);
        case ControlKind::Button:
            return std::make_unique<Button>(this, design);
        case ControlKind::Label:
            return std::make_unique<Label>(this, design);
        case ControlKind::ShapeBox:
            return std::make_unique<ShapeBox>(this, design);
        case ControlKind::HyperLinker:
            return std::make_unique<HyperLinker>(this, design);
        case ControlKind::DrawPanel:
            return std::make_unique<DrawPanel>(this, design);
        case ControlKind::HtmlViewer:
            return std::make_unique<HtmlViewer>(this, design);
        case ControlKind::CommonDlg:
        case ControlKind::Window:
            return std::make_unique<WindowlessControl>(this, design);
    }
    return nullptr;
}

void Window::buildControls() {
    for (const ControlDesign& design : windowDesign_.controls) {
        std::unique_ptr<Control> control = makeControl(design);
        if (control->widget()) {
            control->widget()->hide();
        }
        controls_.push_back(std::move(control));
    }
    for (const auto& control : controls_) {
        Control* parent = find(control->design().parent);
        control->parent_ = parent == control.get() ? nullptr : parent;
        if (QWidget* widget = control->widget()) {
            widget->setParent(control->parent_ ? control->parent_->clientHost() : windowWidget_);
            widget->hide();
            control->applyGeometry();
        }
        auto& stack = stacks_[control->parent_];
        stack.push_back(control.get());
    }
    for (auto& [parent, stack] : stacks_) {
        std::stable_sort(stack.begin(), stack.end(), [](const Control* a, const Control* b) {
            return a->design().stackPlace < b->design().stackPlace;
        });
        syncStack(parent);
    }
    for (const auto& control : controls_) {
        control->setVisible(control->design().visible && control->kind() != ControlKind::CommonDlg);
    }
}

Control* Window::find(const QString& name) const {
    if (name.isEmpty()) {
        return nullptr;
    }
    if (name == this->name()) {
        return const_cast<Window*>(this);
    }
    for (const auto& control : controls_) {
        if (control->name() == name) {
            return control.get();
        }
    }
    return nullptr;
}

Control* Window::cloneControl(Control* source, const QString& name) {
    if (!source || source == this || source->window() != this) {
        return nullptr;
    }
    ControlDesign design = source->design();
    design.name = name.isEmpty() ? source->name() + QStringLiteral("#%1").arg(++cloneCount_) : name;
    design.visible = false;
    std::unique_ptr<Control> copy = makeControl(design);
    Control* clone = copy.get();
    controls_.push_back(std::move(copy));
    clone->parent_ = source->parent_;
    if (QWidget* widget = clone->widget()) {
        widget->setParent(clone->parent_ ? clone->parent_->clientHost() : windowWidget_);
        widget->hide();
        clone->applyGeometry();
    }
    clone->visibleSetting_ = false;
    placeBelow(clone, source);
    redirectEvents(clone, source);
    return clone;
}

const std::vector<Control*>& Window::stackOf(const Control* parent) const {
    static const std::vector<Control*> none;
    const auto it = stacks_.find(parent);
    return it == stacks_.end() ? none : it->second;
}

void Window::placeInStack(Control* control, int place) {
    auto& stack = stacks_[control->parent_];
    place = std::clamp(place, 0, static_cast<int>(stack.size()));
    stack.insert(stack.begin() + place, control);
    syncStack(control->parent_);
}

void Window::placeBelow(Control* control, Control* source) {
    auto& stack = stacks_[control->parent_];
    const auto it = std::find(stack.begin(), stack.end(), source);
    stack.insert(it == stack.end() ? stack.end() : it + 1, control);
    syncStack(control->parent_);
}

void Window::removeFromStack(Control* control) {
    auto& stack = stacks_[control->parent_];
    stack.erase(std::remove(stack.begin(), stack.end(), control), stack.end());
}

void Window::syncStack(const Control* parent) {
    // Raising each from the bottom up leaves Qt's sibling order equal to ours.
    const auto& stack = stacks_[parent];
    for (auto it = stack.rbegin(); it != stack.rend(); ++it) {
        if (QWidget* widget = (*it)->widget()) {
            widget->raise();
        }
    }
}

int Window::left() const {
    return windowWidget_ ? windowWidget_->frameGeometry().x() : 0;
}
int Window::top() const {
    return windowWidget_ ? windowWidget_->frameGeometry().y() : 0;
}

int Window::width() const {
    if (!windowWidget_ || windowWidget_->isMinimized()) {
        return 0;
    }
    return windowWidget_->frameGeometry().width();
}

int Window::height() const {
    if (!windowWidget_ || windowWidget_->isMinimized()) {
        return 0;
    }
    return windowWidget_->frameGeometry().height();
}

int Window::clientWidth() const {
    return windowWidget_ && !windowWidget_->isMinimized() ? windowWidget_->width() : 0;
}

int Window::clientHeight() const {
    return windowWidget_ && !windowWidget_->isMinimized() ? windowWidget_->height() : 0;
}

void Window::setLeft(int value) {
    if (windowWidget_) {
        windowWidget_->move(clampPosition(value), top());
    }
}

void Window::setTop(int value) {
    if (windowWidget_) {
        windowWidget_->move(left(), clampPosition(value));
    }
}

// A minimised window has no size to change: writes wait for nothing and are dropped; the
// restore raises sizeChanged and the layout is made again from the restored size.
void Window::setWidth(int value) {
    if (!windowWidget_ || windowWidget_->isMinimized()) {
        return;
    }
    applyOuterSize(clampSize(value), height());
    noticeClientSize();
}

void Window::setHeight(int value) {
    if (!windowWidget_ || windowWidget_->isMinimized()) {
        return;
    }
    applyOuterSize(width(), clampSize(value));
    noticeClientSize();
}

void Window::applyOuterSize(int width, int height) {
    QSize frame = windowWidget_->frameGeometry().size() - windowWidget_->size();
    if (const QWindow* handle = windowWidget_->windowHandle()) {
        const QMargins margins = handle->frameMargins();
        frame = QSize(margins.left() + margins.right(), margins.top() + margins.bottom());
    }
    windowWidget_->resize(std::max(0, width - frame.width()), std::max(0, height - frame.height()));
}

void Window::setVisible(bool visible) {
    if (visible) {
        show();
    } else if (windowWidget_) {
        windowWidget_->hide();
    }
}

void Window::show() {
    if (!windowWidget_ || !windowWidget_->isHidden()) {
        return;
    }
    windowWidget_->show();
    windowWidget_->raise();
    windowWidget_->activateWindow();
    windowWidget_->repaint();
    // The X server activates windows asynchronously; the layer raises the activation here so
    // that it is handled before show returns.
    noticeActivation(true);
}

void Window::noticeActivation(bool active) {
    if (destroying_ || active == active_) {
        return;
    }
    active_ = active;
    if (!active) {
        raiseEvent(EventKind::deactivated);
        return;
    }
    if (!firstActivated_) {
        firstActivated_ = true;
        raiseEvent(EventKind::firstActivated);
    }
    raiseEvent(EventKind::activated);
}

// A window manager draws its frame only once the window is on the screen. The first time a
// frame shows up that the outer size did not allow for, the designed outer size is applied
// again, so that frame and title bar are part of it.
void Window::settleOuterSize() {
    if (outerSizeSettled_ || !windowWidget_ || windowWidget_->isHidden() ||
        windowWidget_->isMinimized()) {
        return;
    }
    const QWindow* handle = windowWidget_->windowHandle();
    if (!handle || handle->frameMargins().isNull()) {
        return;
    }
    outerSizeSettled_ = true;
    if (handle->frameMargins() != marginsAtCreation_) {
        applyOuterSize(windowDesign_.outerWidth, windowDesign_.outerHeight);
    }
}

void Window::noticeClientSize() {
    if (destroying_) {
        return;
    }
    settleOuterSize();
    const QSize size(clientWidth(), clientHeight());
    if (size == reportedClientSize_) {
        return;
    }
    reportedClientSize_ = size;
    raiseEvent(EventKind::sizeChanged);
}

void Window::raiseSizeChanged() {
    reportedClientSize_ = QSize(clientWidth(), clientHeight());
    raiseEvent(EventKind::sizeChanged);
}

void Window::noticeMoved() {
    settleOuterSize();
    const QPoint position(left(), top());
    if (destroying_ || position == reportedPosition_) {
        return;
    }
    reportedPosition_ = position;
    raiseEvent(EventKind::positionChanged);
}

void Window::requestClose() {
    if (destroying_ || !windowWidget_) {
        return;
    }
    // Queued: the request may come from inside a control's own key handling.
    QMetaObject::invokeMethod(
        windowWidget_,
        [widget = QPointer<QWidget>(windowWidget_)] {
            if (widget) {
                widget->close();
            }
        },
        Qt::QueuedConnection);
}

void Window::closeRequested(bool& accept) {
    if (destroying_) {
        accept = true;
        return;
    }
    accept = raiseEvent(EventKind::canClose).answer;
    if (accept) {
        destroying_ = true;
        // Queued on the window's widget: a window deleted meanwhile takes the request along.
        QMetaObject::invokeMethod(
            windowWidget_, [this] { destroyWindow(); }, Qt::QueuedConnection);
    }
}

void Window::destroyWindow() {
    if (destroyed_) {
        return;
    }
    destroying_ = true;
    windowWidget_->hide();
    // The window has left the screen; its handler may still show a box of its own.
    raiseEvent(EventKind::willBeDestroyed);
    destroyed_ = true;
    controls_.clear();
    stacks_.clear();
    windowWidget_->deleteLater();
    windowWidget_ = nullptr;
    if (onDestroyed_) {
        onDestroyed_();
    }
}

std::vector<Control*> Window::focusCycle() const {
    std::vector<Control*> cycle;
    for (const auto& control : controls_) {
        const QWidget* widget = control->widget();
        if (control->design().tabStop && widget && !widget->isHidden() && widget->isEnabled()) {
            cycle.push_back(control.get());
        }
    }
    std::stable_sort(cycle.begin(), cycle.end(), [](const Control* a, const Control* b) {
        return a->design().tabOrder < b->design().tabOrder;
    });
    return cycle;
}

bool Window::moveFocus(bool forward) {
    const std::vector<Control*> cycle = focusCycle();
    if (cycle.empty()) {
        return false;
    }
    const QWidget* focus = QApplication::focusWidget();
    int current = -1;
    for (int i = 0; i < static_cast<int>(cycle.size()) && current < 0; ++i) {
        for (const QWidget* w = focus; w; w = w->parentWidget()) {
            if (w == cycle[i]->widget()) {
                current = i;
                break;
            }
        }
    }
    const int n = static_cast<int>(cycle.size());
    const int next = current < 0 ? (forward ? 0 : n - 1) : (current + (forward ? 1 : n - 1)) % n;
    cycle[next]->widget()->setFocus(forward ? Qt::TabFocusReason : Qt::BacktabFocusReason);
    return true;
}

}  // namespace toolkit
