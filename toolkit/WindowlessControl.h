// A component of a window that has no window of its own (the file dialog component): it has a
// name, a kind, a place in the design and settings, but nothing on the screen.
#pragma once

#include "toolkit/Control.h"

namespace toolkit {

class WindowlessControl : public Control {
  public:
    WindowlessControl(Window* window, const ControlDesign& design)
        : Control(window, design, nullptr) {}
};

}  // namespace toolkit
