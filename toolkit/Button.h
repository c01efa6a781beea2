// An ordinary push button, never the window's default button. Raises clicked.
#pragma once

#include <QPushButton>

#include "toolkit/Control.h"

namespace toolkit {

class Button : public Control {
  public:
    Button(Window* window, const ControlDesign& design);
    QString caption() const;
    QPushButton* pushButton() const;
};

}  // namespace toolkit
