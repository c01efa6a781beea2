#include "toolkit/HtmlViewer.h"

#include <QFrame>

namespace toolkit {

namespace {

QWidget* makeViewer(const ControlDesign& design) {
    auto* frame = new QFrame;
    frame->setFrameShape(QFrame::StyledPanel);
    frame->setFocusPolicy(design.tabStop ? Qt::StrongFocus : Qt::ClickFocus);
    frame->setAutoFillBackground(true);
    QPalette palette = frame->palette();
    palette.setColor(QPalette::Window, Qt::white);
    frame->setPalette(palette);
    return frame;
}

}  // namespace

HtmlViewer::HtmlViewer(Window* window, const ControlDesign& design)
    : Control(window, design, makeViewer(design)) {}

bool HtmlViewer::holds(const QWidget* candidate) const {
    for (const QWidget* w = candidate; w; w = w->parentWidget()) {
        if (w == widget()) {
            return true;
        }
    }
    return false;
}

}  // namespace toolkit
