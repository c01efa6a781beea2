// Turns drawn pictures into 256-colour indexed pixels for GIF.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "Raster.h"

namespace pictures_gen {

struct Colour8 {
    std::uint8_t r = 0;
    std::uint8_t g = 0;
    std::uint8_t b = 0;
    friend bool operator==(const Colour8&, const Colour8&) = default;
};

Colour8 toColour8(Rgb c);

using Palette = std::array<Colour8, 256>;

struct PaletteRequest {
    // Colours that must be in the table exactly, from index 0 on; pixels of exactly these
    // colours keep them undithered, so solid areas (borders, bands, white boxes) stay exact.
    std::vector<Colour8> exact;
    // Table entries that no pixel may use (a transparent index); they are left black.
    std::vector<int> reserved;
};

// Builds a table from the colours of all `rasters` by median cut, after the exact ones.
Palette buildPalette(const std::vector<const Raster*>& rasters, const PaletteRequest& request);

// Maps a rectangle of `raster` to table indices, rows top to bottom. Colours outside the
// table are ordered-dithered, which hides the steps of smooth gradients.
std::vector<std::uint8_t> indexPixels(const Raster& raster, Box box, const Palette& palette,
                                      const PaletteRequest& request);

}  // namespace pictures_gen
