#include "toolkit/WindowWidget.h"

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>

#include "toolkit/HtmlViewer.h"
#include "toolkit/Window.h"

namespace toolkit {

WindowWidget::WindowWidget(Window& window) : window_(window) {
    // A resizable frame with a title bar, system menu, minimise and close boxes, and no
    // maximise box.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);
    setAutoFillBackground(true);
}

void WindowWidget::closeEvent(QCloseEvent* event) {
    bool accept = true;
    window_.closeRequested(accept);
    if (accept) {
        event->accept();
    } else {
        event->ignore();
    }
}

void WindowWidget::keyPressEvent(QKeyEvent* event) {
    // Keys reach the window when the control that has the focus leaves them. Esc closes the
    // window, but not while the browser pane has the focus: there keys belong to the page.
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        const QWidget* focus = QApplication::focusWidget();
        for (const auto& control : window_.controls()) {
            if (auto* viewer = dynamic_cast<const HtmlViewer*>(control.get());
                viewer && viewer->holds(focus)) {
                event->ignore();
                return;
            }
        }
        event->accept();
        window_.requestClose();
        return;
    }
    event->ignore();
}

void WindowWidget::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    window_.noticeClientSize();
}

void WindowWidget::moveEvent(QMoveEvent* event) {
    QWidget::moveEvent(event);
    window_.noticeMoved();
}

void WindowWidget::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::ActivationChange) {
        window_.noticeActivation(isActiveWindow());
    } else if (event->type() == QEvent::WindowStateChange) {
        window_.noticeClientSize();
    }
}

bool WindowWidget::focusNextPrevChild(bool next) {
    return window_.moveFocus(next);
}

}  // namespace toolkit
