// GIF files with real LZW-compressed image data, for the tests and the benchmark.
#pragma once

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "tests/pictures/builders/ByteWriter.h"

namespace picturetest {

// Packs codes least significant bit first, as GIF does.
class LzwBitWriter {
  public:
    void put(unsigned code, int bits) {
        buffer_ |= static_cast<std::uint64_t>(code) << count_;
        count_ += bits;
        while (count_ >= 8) {
            bytes_.push_back(static_cast<std::uint8_t>(buffer_ & 0xFF));
            buffer_ >>= 8;
            count_ -= 8;
        }
    }
    Bytes finish() {
        if (count_ > 0) {
            bytes_.push_back(static_cast<std::uint8_t>(buffer_ & 0xFF));
        }
        return std::move(bytes_);
    }

  private:
    Bytes bytes_;
    std::uint64_t buffer_ = 0;
    int count_ = 0;
};

// A plain GIF LZW encoder: a clear code first, a clear code whenever the table fills, and
// code widths that grow exactly when a decoder's do.
inline Bytes lzwEncode(const std::vector<std::uint8_t>& indexes, int minCodeSize) {
    const unsigned clearCode = 1u << minCodeSize;
    const unsigned endCode = clearCode + 1;
    std::vector<std::uint16_t> table(4096 * 256, 0);  // (prefix, byte) -> code; 0 = none
    unsigned nextCode = endCode + 1;
    int bits = minCodeSize + 1;
    LzwBitWriter out;
    auto putCode = [&](unsigned code) {
        out.put(code, bits);
        if (nextCode >= (1u << bits) && bits < 12) {
            ++bits;
        }
    };
    putCode(clearCode);
    if (!indexes.empty()) {
        unsigned prefix = indexes[0];
        for (std::size_t i = 1; i < indexes.size(); ++i) {
            const unsigned byte = indexes[i];
            const std::uint16_t known = table[prefix << 8 | byte];
            if (known != 0) {
                prefix = known;
                continue;
            }
            putCode(prefix);
            if (nextCode < 4095) {
                table[prefix << 8 | byte] = static_cast<std::uint16_t>(nextCode++);
            } else {
                putCode(clearCode);
                std::fill(table.begin(), table.end(), 0);
                nextCode = endCode + 1;
                bits = minCodeSize + 1;
            }
            prefix = byte;
        }
        putCode(prefix);
    }
    putCode(endCode);
    return out.finish();
}

inline void writeSubBlocks(ByteWriter& out, const Bytes& data) {
    for (std::size_t at = 0; at < data.size(); at += 255) {
        const std::size_t length = std::min<std::size_t>(255, data.size() - at);
        out.u8(static_cast<unsigned>(length));
        out.data().insert(out.data().end(), data.begin() + static_cast<std::ptrdiff_t>(at),
                          data.begin() + static_cast<std::ptrdiff_t>(at + length));
    }
    out.u8(0);
}

struct GifImage {
    std::uint16_t left = 0;
    std::uint16_t top = 0;
    std::uint16_t width = 0;
    std::uint16_t height = 0;
    bool interlaced = false;
    std::vector<std::uint32_t> localTable;  // 0xRRGGBB; empty: none
    std::vector<std::uint8_t> indexes;      // rows from the top, in picture order
    int minCodeSize = 8;
};

struct GifRecipe {
    std::string version = "GIF89a";
    std::uint16_t width = 0;
    std::uint16_t height = 0;
    std::vector<std::uint32_t> globalTable;  // 0xRRGGBB; empty: none
    std::uint8_t backgroundIndex = 0;
    std::vector<Bytes> blocksBeforeImage;  // extensions, as written
    std::vector<GifImage> images;
    bool trailer = true;
};

// Bits 0 to 2 of a table's flags: the table holds 2 to the power of (value + 1) entries.
inline unsigned tableSizeBits(std::size_t entries) {
    unsigned bits = 0;
    while ((std::size_t{2} << bits) < entries && bits < 7) {
        ++bits;
    }
    return bits;
}

inline void writeColourTable(ByteWriter& out, const std::vector<std::uint32_t>& table) {
    const std::size_t entries = std::size_t{2} << tableSizeBits(table.size());
    for (std::size_t i = 0; i < entries; ++i) {
        const std::uint32_t rgb = i < table.size() ? table[i] : 0;
        out.u8(rgb >> 16 & 0xFF).u8(rgb >> 8 & 0xFF).u8(rgb & 0xFF);
    }
}

// The rows of an interlaced image in file order: passes from rows 0, 4, 2, 1 by 8, 8, 4, 2.
inline std::vector<int> interlacedRowOrder(int height) {
    std::vector<int> order;
    const int starts[] = {0, 4, 2, 1};
    const int steps[] = {8, 8, 4, 2};
    for (int pass = 0; pass < 4; ++pass) {
        for (int row = starts[pass]; row < height; row += steps[pass]) {
            order.push_back(row);
        }
    }
    return order;
}

inline void writeImage(ByteWriter& out, const GifImage& image) {
    out.u8(0x2C).u16(image.left).u16(image.top).u16(image.width).u16(image.height);
    unsigned flags = image.interlaced ? 0x40 : 0;
    if (!image.localTable.empty()) {
        flags |= 0x80 | tableSizeBits(image.localTable.size());
    }
    out.u8(flags);
    if (!image.localTable.empty()) {
        writeColourTable(out, image.localTable);
    }
    std::vector<std::uint8_t> fileOrder = image.indexes;
    if (image.interlaced) {
        fileOrder.clear();
        for (int row : interlacedRowOrder(image.height)) {
            const auto first =
                image.indexes.begin() + static_cast<std::ptrdiff_t>(row) * image.width;
            fileOrder.insert(fileOrder.end(), first, first + image.width);
        }
    }
    out.u8(static_cast<unsigned>(image.minCodeSize));
    writeSubBlocks(out, lzwEncode(fileOrder, image.minCodeSize));
}

inline Bytes gifFile(const GifRecipe& recipe) {
    ByteWriter out;
    out.text(recipe.version).u16(recipe.width).u16(recipe.height);
    unsigned flags = 0x70;  // 8 bits of colour resolution
    if (!recipe.globalTable.empty()) {
        flags |= 0x80 | tableSizeBits(recipe.globalTable.size());
    }
    out.u8(flags).u8(recipe.backgroundIndex).u8(0);
    if (!recipe.globalTable.empty()) {
        writeColourTable(out, recipe.globalTable);
    }
    for (const Bytes& block : recipe.blocksBeforeImage) {
        out.bytes(block);
    }
    for (const GifImage& image : recipe.images) {
        writeImage(out, image);
    }
    if (recipe.trailer) {
        out.u8(0x3B);
    }
    return out.take();
}

inline Bytes graphicControlExtension(std::uint8_t transparentIndex) {
    return ByteWriter().bytes({0x21, 0xF9, 4, 0x01, 10, 0, transparentIndex, 0}).take();
}

inline Bytes loopingApplicationExtension() {
    ByteWriter out;
    out.u8(0x21).u8(0xFF).u8(11).text("NETSCAPE2.0").bytes({3, 1, 0, 0, 0});
    return out.take();
}

inline Bytes commentExtension(const std::string& text) {
    ByteWriter out;
    out.u8(0x21).u8(0xFE);
    writeSubBlocks(out, Bytes(text.begin(), text.end()));
    return out.take();
}

}  // namespace picturetest
