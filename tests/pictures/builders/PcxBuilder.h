// PCX files: 128-byte header, run-length-coded lines, and for 8 bits the 0x0C palette.
#pragma once

#include <cstdint>
#include <vector>

#include "tests/pictures/builders/ByteWriter.h"

namespace picturetest {

struct PcxRecipe {
    std::uint8_t version = 5;
    int bitsPerPixel = 8;
    std::uint8_t planes = 1;
    std::int16_t xMin = 0;
    std::int16_t yMin = 0;
    int width = 0;
    int height = 0;
    int bytesPerLine = 0;                // 0: the even length that holds the width
    std::vector<std::uint8_t> values;    // width * height indexes (8-bit) or bits (1-bit)
    std::vector<std::uint32_t> palette;  // 0xRRGGBB, 256 entries written after 0x0C
    bool writePalette = true;
};

// Codes a run, splitting it at 63 and escaping single bytes of 0xC1 and above.
inline void writeRun(ByteWriter& out, std::uint8_t value, std::size_t count) {
    while (count > 0) {
        const std::size_t run = count < 63 ? count : 63;
        if (run == 1 && value <= 0xC0) {
            out.u8(value);
        } else {
            out.u8(0xC0 + static_cast<unsigned>(run)).u8(value);
        }
        count -= run;
    }
}

inline void writeRunLength(ByteWriter& out, const std::vector<std::uint8_t>& line) {
    for (std::size_t at = 0; at < line.size();) {
        std::size_t run = 1;
        while (at + run < line.size() && line[at + run] == line[at]) {
            ++run;
        }
        writeRun(out, line[at], run);
        at += run;
    }
}

inline int pcxBytesPerLine(const PcxRecipe& recipe) {
    if (recipe.bytesPerLine != 0) {
        return recipe.bytesPerLine;
    }
    const int bytes = recipe.bitsPerPixel == 1 ? (recipe.width + 7) / 8 : recipe.width;
    return bytes + bytes % 2;
}

inline Bytes pcxFile(const PcxRecipe& recipe) {
    const int bytesPerLine = pcxBytesPerLine(recipe);
    ByteWriter out;
    out.u8(0x0A).u8(recipe.version).u8(1).u8(static_cast<unsigned>(recipe.bitsPerPixel));
    out.u16(static_cast<std::uint16_t>(recipe.xMin)).u16(static_cast<std::uint16_t>(recipe.yMin));
    out.u16(static_cast<std::uint16_t>(recipe.xMin + recipe.width - 1))
        .u16(static_cast<std::uint16_t>(recipe.yMin + recipe.height - 1));
    out.u16(72).u16(72).zeros(48).u8(0).u8(recipe.planes);
    out.u16(static_cast<unsigned>(bytesPerLine)).u16(1).zeros(58);
    for (int y = 0; y < recipe.height; ++y) {
        std::vector<std::uint8_t> line(static_cast<std::size_t>(bytesPerLine), 0);
        for (int x = 0; x < recipe.width; ++x) {
            const std::uint8_t value =
                recipe.values[static_cast<std::size_t>(y * recipe.width + x)];
            if (recipe.bitsPerPixel == 1) {
                line[static_cast<std::size_t>(x / 8)] |=
                    static_cast<std::uint8_t>((value & 1) << (7 - x % 8));
            } else {
                line[static_cast<std::size_t>(x)] = value;
            }
        }
        writeRunLength(out, line);
    }
    if (recipe.bitsPerPixel == 8 && recipe.writePalette) {
        out.u8(0x0C);
        for (std::size_t i = 0; i < 256; ++i) {
            const std::uint32_t rgb = i < recipe.palette.size() ? recipe.palette[i] : 0;
            out.u8(rgb >> 16 & 0xFF).u8(rgb >> 8 & 0xFF).u8(rgb & 0xFF);
        }
    }
    return out.take();
}

}  // namespace picturetest
