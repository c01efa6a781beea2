// The backgrounds of the four built-in card templates.
#pragma once

#include "ByteWriter.h"
#include "Raster.h"

namespace pictures_gen {

inline constexpr int cardWidth = 300;
inline constexpr int cardHeight = 140;

// Template `number` (1 to 4) as drawn, before it is reduced to 256 colours.
Raster drawCardTemplate(int number);

Bytes cardTemplateGif(int number);

}  // namespace pictures_gen
