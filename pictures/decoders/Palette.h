// A colour table of up to 256 entries, as the palette formats index it. Entries the file did
// not define are black, so any 8-bit index is safe to look up.
#pragma once

#include <array>
#include <cstdint>

namespace pictures {

inline constexpr std::uint32_t opaqueBlack = 0xFF000000u;

inline constexpr std::uint32_t opaqueRgb(std::uint32_t red, std::uint32_t green,
                                         std::uint32_t blue) {
    return 0xFF000000u | red << 16 | green << 8 | blue;
}

using Palette = std::array<std::uint32_t, 256>;

inline Palette blackPalette() {
    Palette palette;
    palette.fill(opaqueBlack);
    return palette;
}

}  // namespace pictures
