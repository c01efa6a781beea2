// The checkerboard tile behind the card preview.
#pragma once

#include <string>

namespace pictures_gen {

// Writes the 16 x 16 tile as a baseline JFIF JPEG; false when the file cannot be written.
bool writeCanvasPattern(const std::string& path);

}  // namespace pictures_gen
