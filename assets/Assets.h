// The pictures and the tune that are built into the program.
//
// Their bytes are made at build time by the generators under assets/generate and compiled in.
#pragma once

#include <cstdint>
#include <span>

namespace assets {

using Bytes = std::span<const std::uint8_t>;

inline constexpr int templateCount = 4;

// The background of built-in card template `number` (1 to 4): a 300 x 140 GIF89a.
Bytes templatePicture(int number);
// The avatar drawn when none is chosen: a 136 x 136 animated GIF89a.
Bytes defaultAvatar();
// The 16 x 16 checkerboard tiled behind the card preview: a baseline JFIF JPEG.
Bytes canvasPattern();
// The window icon: an ICO file with one 32 x 32 16-colour image and its mask.
Bytes windowIcon();
// The background music: a format 0 Standard MIDI File.
Bytes backgroundTune();

}  // namespace assets
