// The layout rule on every size change of the main window.
#pragma once

#include "toolkit/Window.h"

namespace ui {

// Keeps the client width at the right edge of the settings group plus 8 (whatever width the
// user dragged to), keeps the about group 8 pixels above the bottom, and stretches the canvas
// and the settings group to the height. Setting the width raises sizeChanged again, so a
// nested run does the rest first; the outer run then writes the same values again.
void relayoutWindow(toolkit::Window& window);

}  // namespace ui
