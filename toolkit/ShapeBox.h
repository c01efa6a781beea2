// A frame: a flat rectangle outline one pixel wide along its outermost pixels, no fill over
// the button-face background. Its client area is the whole box.
#pragma once

#include "toolkit/Control.h"

namespace toolkit {

class ShapeBox : public Control {
  public:
    ShapeBox(Window* window, const ControlDesign& design);
};

}  // namespace toolkit
