// The stored design of the main window: the window and its twenty-one controls.
#pragma once

#include "toolkit/ControlDesign.h"

namespace ui {

inline const QString mainWindowTitle = QStringLiteral("Tarnwick个性名片制作工具  BY:zelk0731");

toolkit::WindowDesign mainWindowDesign();

}  // namespace ui
