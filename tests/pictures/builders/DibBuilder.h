// Bitmap files and icon images, written the way Windows lays out device-independent bitmaps:
// rows bottom-up, padded to 4 bytes.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "tests/pictures/builders/ByteWriter.h"

namespace picturetest {

struct DibRecipe {
    std::int32_t width = 0;
    std::int32_t height = 0;  // as written in the header (negative for top-down BMP)
    int bitsPerPixel = 24;
    std::uint32_t compression = 0;
    std::uint32_t coloursUsed = 0;
    std::vector<std::uint32_t> palette;  // 0xRRGGBB; written as given
    // |width| * |height| values, rows from the top of the picture: palette indexes at 8 bits
    // or fewer, 0xRRGGBB at 24 bits, 0xAARRGGBB at 32 bits.
    std::vector<std::uint32_t> values;
};

inline std::size_t dibRowBytes(std::int64_t width, int bits) {
    return static_cast<std::size_t>((width * bits + 31) / 32 * 4);
}

inline std::int32_t magnitude(std::int32_t value) {
    return value < 0 ? -value : value;
}

// The information header (40 bytes) of a DIB, with `headerHeight` as the height field.
inline void writeInfoHeader(ByteWriter& out, const DibRecipe& recipe, std::int32_t headerHeight,
                            std::uint32_t imageBytes) {
    out.u32(40)
        .u32(static_cast<std::uint32_t>(recipe.width))
        .u32(static_cast<std::uint32_t>(headerHeight))
        .u16(1)
        .u16(static_cast<unsigned>(recipe.bitsPerPixel))
        .u32(recipe.compression)
        .u32(imageBytes)
        .u32(2835)
        .u32(2835)
        .u32(recipe.coloursUsed)
        .u32(0);
}

inline void writePalette(ByteWriter& out, const std::vector<std::uint32_t>& palette) {
    for (std::uint32_t rgb : palette) {
        out.u8(rgb & 0xFF).u8(rgb >> 8 & 0xFF).u8(rgb >> 16 & 0xFF).u8(0);
    }
}

// The pixel rows, bottom row first; top row first when the height is negative.
inline Bytes dibPixelRows(const DibRecipe& recipe) {
    const std::int32_t width = magnitude(recipe.width);
    const std::int32_t height = magnitude(recipe.height);
    const std::size_t rowBytes = dibRowBytes(width, recipe.bitsPerPixel);
    const bool topDown = recipe.height < 0;
    ByteWriter out;
    for (std::int32_t i = 0; i < height; ++i) {
        const std::int32_t y = topDown ? i : height - 1 - i;
        const auto first = recipe.values.begin() + static_cast<std::ptrdiff_t>(y) * width;
        const std::vector<std::uint32_t> row(first, first + width);
        if (recipe.bitsPerPixel <= 8) {
            out.bytes(packRow(row, recipe.bitsPerPixel, rowBytes));
            continue;
        }
        ByteWriter pixels;
        for (std::uint32_t value : row) {
            for (int byte = 0; byte < recipe.bitsPerPixel / 8; ++byte) {
                pixels.u8(value >> (8 * byte) & 0xFF);  // blue, green, red, fourth byte
            }
        }
        pixels.zeros(rowBytes - pixels.size());
        out.bytes(pixels.take());
    }
    return out.take();
}

// A BMP file: 14-byte file header, 40-byte information header, palette, rows.
inline Bytes bmpFile(const DibRecipe& recipe, std::optional<std::uint32_t> dataOffset = {}) {
    const Bytes rows = dibPixelRows(recipe);
    const auto offset =
        dataOffset.value_or(static_cast<std::uint32_t>(54 + 4 * recipe.palette.size()));
    ByteWriter out;
    out.text("BM").u32(static_cast<std::uint32_t>(offset + rows.size())).u32(0).u32(offset);
    writeInfoHeader(out, recipe, recipe.height, static_cast<std::uint32_t>(rows.size()));
    writePalette(out, recipe.palette);
    if (out.size() < offset) {
        out.zeros(offset - out.size());
    }
    out.bytes(rows);
    return out.take();
}

// An icon image: information header (height doubled), palette, colour rows, mask rows.
// `mask` holds width * height values, 1 for transparent, rows from the top.
inline Bytes iconImage(const DibRecipe& recipe, const std::vector<std::uint32_t>& mask) {
    const Bytes rows = dibPixelRows(recipe);
    DibRecipe maskRecipe;
    maskRecipe.width = recipe.width;
    maskRecipe.height = recipe.height;
    maskRecipe.bitsPerPixel = 1;
    maskRecipe.values = mask;
    const Bytes maskRows = dibPixelRows(maskRecipe);
    ByteWriter out;
    writeInfoHeader(out, recipe, recipe.height * 2,
                    static_cast<std::uint32_t>(rows.size() + maskRows.size()));
    writePalette(out, recipe.palette);
    out.bytes(rows).bytes(maskRows);
    return out.take();
}

struct IconEntry {
    std::uint8_t widthByte = 0;
    std::uint8_t heightByte = 0;
    std::uint8_t colourCount = 0;
    Bytes image;
};

// An ICO (type 1) or CUR (type 2) file with its directory and images in entry order.
inline Bytes iconFile(const std::vector<IconEntry>& entries, unsigned type = 1) {
    ByteWriter out;
    out.u16(0).u16(type).u16(static_cast<unsigned>(entries.size()));
    std::uint32_t offset = static_cast<std::uint32_t>(6 + 16 * entries.size());
    for (const IconEntry& entry : entries) {
        out.u8(entry.widthByte).u8(entry.heightByte).u8(entry.colourCount).u8(0);
        out.u16(1).u16(type == 1 ? 32 : 0);  // planes and bits (icon), or a hot spot (cursor)
        out.u32(static_cast<std::uint32_t>(entry.image.size())).u32(offset);
        offset += static_cast<std::uint32_t>(entry.image.size());
    }
    for (const IconEntry& entry : entries) {
        out.bytes(entry.image);
    }
    return out.take();
}

}  // namespace picturetest
