// Painting of the border styles of controls.
#pragma once

#include <QPainter>

#include "toolkit/ControlDesign.h"

namespace toolkit {

// Paints `style` along the edges of `rect`; the client area is rect shrunk by
// borderThickness(style) on each side.
void paintBorder(QPainter& painter, const QRect& rect, BorderStyle style);

}  // namespace toolkit
