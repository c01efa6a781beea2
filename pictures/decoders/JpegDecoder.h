// JPEG through the IJG library (libjpeg-turbo here): sequential and progressive Huffman-coded
// pictures of 8-bit samples, colour, greyscale or CMYK.
#pragma once

#include <cstdint>
#include <span>

#include "pictures/decoders/DecodeResult.h"

namespace pictures {

DecodeResult decodeJpeg(std::span<const std::uint8_t> data);

}  // namespace pictures
