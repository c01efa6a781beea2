// GIF87a and GIF89a: the first image, at the size of the logical screen.
#pragma once

#include <cstdint>
#include <span>

#include "pictures/decoders/DecodeResult.h"

namespace pictures {

DecodeResult decodeGif(std::span<const std::uint8_t> data);

}  // namespace pictures
