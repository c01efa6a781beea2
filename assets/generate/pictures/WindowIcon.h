// The window icon: four coloured squares round a navy cross with a pinwheel of arrows.
#pragma once

#include "ByteWriter.h"

namespace pictures_gen {

inline constexpr int iconSize = 32;
// Marks a pixel that lets the desktop show through.
inline constexpr int iconTransparent = -1;

// The colour of pixel (x, y), y downwards: an index into the standard 16-colour palette, or
// `iconTransparent`.
int iconPixel(int x, int y);

// An ICO file holding one 32 x 32 image of 4 bits per pixel and its mask.
Bytes windowIconFile();

}  // namespace pictures_gen
