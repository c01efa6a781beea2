#include "ui/Relayout.h"

#include <cmath>

namespace ui {

namespace {

int cut(double value) {
    return static_cast<int>(std::trunc(value));
}

}  // namespace

void relayoutWindow(toolkit::Window& window) {
    toolkit::Control* settings = window.find(QStringLiteral("外形框1"));
    toolkit::Control* about = window.find(QStringLiteral("外形框2"));
    toolkit::Control* canvas = window.find(QStringLiteral("画板1"));
    if (!settings || !about || !canvas) {
        return;
    }
    const double clientWidth = window.clientWidth();
    const double outerWidth = window.width();
    window.setWidth(cut(outerWidth - clientWidth + settings->left() + settings->width() + 8.0));
    // The nested run may have ended the window's life (a handler may close it).
    if (window.isDestroyed()) {
        return;
    }
    about->setTop(cut(double(window.clientHeight()) - about->height() - 8.0));
    canvas->setHeight(cut(double(window.clientHeight()) - canvas->top() - 8.0));
    settings->setHeight(cut(double(about->top()) - settings->top() - 8.0));
}

}  // namespace ui
