// A label: its background (a colour, or a vertical gradient), then its text, optionally with
// a white highlight one pixel right and down.
#pragma once

#include <QColor>
#include <QWidget>
#include <vector>

#include "toolkit/Control.h"

namespace toolkit {

// The colour of pixel row y of a gradient over `height` rows through `colors` from top to
// bottom: n colours, s = height / (n - 1) and k = y / s cut toward zero; rows past the last
// band take the last colour, the others step linearly from colour k toward colour k + 1.
QColor gradientRowColor(const std::vector<ColorRef>& colors, int y, int height);

class Label : public Control {
  public:
    Label(Window* window, const ControlDesign& design);
    QString text() const { return design().text; }
};

}  // namespace toolkit
