// ICO and CUR: one image of an icon or cursor file, chosen from its directory, with its mask.
#pragma once

#include <cstdint>
#include <span>

#include "pictures/decoders/DecodeResult.h"

namespace pictures {

// `kind` is Ico or Cur, as told by the file's type field.
DecodeResult decodeIcon(std::span<const std::uint8_t> data, toolkit::PictureKind kind);

}  // namespace pictures
