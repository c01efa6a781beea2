#include "pictures/decoders/DibRows.h"

#include <cstddef>

namespace pictures {

namespace {

void decodeIndexedRow(std::span<const std::uint8_t> row, int bitsPerPixel, const Palette& palette,
                      std::span<std::uint32_t> out) {
    const int perByte = 8 / bitsPerPixel;
    const unsigned mask = (1u << bitsPerPixel) - 1;
    for (std::size_t x = 0; x < out.size(); ++x) {
        const std::uint8_t byte = row[x / perByte];
        const int shift = 8 - bitsPerPixel * (static_cast<int>(x % perByte) + 1);
        out[x] = palette[(byte >> shift) & mask];
    }
}

void decodeBgrRow(std::span<const std::uint8_t> row, std::size_t bytesPerPixel,
                  std::span<std::uint32_t> out) {
    const std::uint8_t* in = row.data();
    for (std::uint32_t& pixel : out) {
        pixel = opaqueRgb(in[2], in[1], in[0]);
        in += bytesPerPixel;
    }
}

}  // namespace

void decodeDibRow(std::span<const std::uint8_t> row, int bitsPerPixel, const Palette& palette,
                  std::span<std::uint32_t> out) {
    switch (bitsPerPixel) {
        case 1:
        case 4:
            decodeIndexedRow(row, bitsPerPixel, palette, out);
            break;
        case 8:
            for (std::size_t x = 0; x < out.size(); ++x) {
                out[x] = palette[row[x]];
            }
            break;
        case 24:
            decodeBgrRow(row, 3, out);
            break;
        case 32:
            decodeBgrRow(row, 4, out);
            break;
        default:
            break;
    }
}

DecodeError checkDibVariant(std::uint32_t compression, int bitsPerPixel) {
    if (compression != 0) {
        return DecodeError::Unsupported;
    }
    switch (bitsPerPixel) {
        case 1:
        case 4:
        case 8:
        case 24:
        case 32:
            return DecodeError::Ok;
        default:
            return DecodeError::Unsupported;
    }
}

}  // namespace pictures
