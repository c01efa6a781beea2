// BMP: uncompressed Windows bitmaps of 1, 4, 8, 24 and 32 bits per pixel.
#pragma once

#include <cstdint>
#include <span>

#include "pictures/decoders/DecodeResult.h"

namespace pictures {

DecodeResult decodeBmp(std::span<const std::uint8_t> data);

}  // namespace pictures
