// Fonts of the window layer.
#pragma once

#include <QFont>

#include "toolkit/ControlDesign.h"

namespace toolkit {

// The default user-interface font, used by every control without a font of its own and by
// the text written on drawing surfaces: the platform's default face at a fixed pixel size, so
// that what is drawn does not depend on the screen's resolution.
QFont defaultUiFont();

// Makes defaultUiFont the application's font and maps the design's Windows face names onto
// installed fonts (a CJK serif for "宋体"). Call once, after the application object exists.
void installUiFonts();

// A stored font; a face that cannot be had gives way to the default font's face.
QFont fontFromDesign(const FontDesign& design);

}  // namespace toolkit
