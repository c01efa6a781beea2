// PCX: 8-bit pictures with a 256-colour palette and 1-bit black-and-white pictures.
#pragma once

#include <cstdint>
#include <span>

#include "pictures/decoders/DecodeResult.h"

namespace pictures {

DecodeResult decodePcx(std::span<const std::uint8_t> data);

}  // namespace pictures
