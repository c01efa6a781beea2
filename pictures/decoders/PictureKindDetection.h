// Telling a picture's kind from its first 6 bytes.
#pragma once

#include <cstdint>
#include <optional>
#include <span>

#include "toolkit/Picture.h"

namespace pictures {

inline constexpr std::size_t kindBytes = 6;

// The kind the first bytes select, or none. `head` must hold at least kindBytes bytes.
std::optional<toolkit::PictureKind> detectPictureKind(std::span<const std::uint8_t> head);

}  // namespace pictures
