// The browser pane: an embedded web browser that keeps its place for the window's life.
#pragma once

#include "toolkit/Control.h"

namespace toolkit {

class HtmlViewer : public Control {
public:
    HtmlViewer(Window* window, const ControlDesign& design);
    // Whether `widget` is the pane or lies inside it (keys there belong to the page first).
    bool holds(const QWidget* widget) const;
};

}  // namespace toolkit
