// Rows of device-independent bitmap pixels, shared by BMP files and icon images: 1, 4 and 8
// bits per pixel index a palette (packed from the most significant bit), 24 bits are blue,
// green, red, and 32 bits blue, green, red and a fourth byte.
#pragma once

#include <cstdint>
#include <span>

#include "pictures/decoders/DecodeError.h"
#include "pictures/decoders/Palette.h"

namespace pictures {

// Only uncompressed bitmaps of 1, 4, 8, 24 or 32 bits are read: run-length and bit-field
// bitmaps, and 16-bit pixels among others, give Unsupported.
DecodeError checkDibVariant(std::uint32_t compression, int bitsPerPixel);

// Decodes `out.size()` pixels of one row. `row` must hold at least the row's bytes (callers
// check the whole pixel area against the data before decoding). The fourth byte of 32-bit
// pixels is dropped: every pixel comes out opaque.
void decodeDibRow(std::span<const std::uint8_t> row, int bitsPerPixel, const Palette& palette,
                  std::span<std::uint32_t> out);

}  // namespace pictures
