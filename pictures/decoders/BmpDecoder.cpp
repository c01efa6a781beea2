#include "pictures/decoders/BmpDecoder.h"

#include <cstdlib>

#include "pictures/decoders/ByteReader.h"
#include "pictures/decoders/DibRows.h"
#include "pictures/decoders/PictureSize.h"

namespace pictures {

namespace {

// The 14-byte file header and the 40-byte information header.
constexpr std::size_t headerBytes = 54;

struct BmpInfo {
    std::uint32_t dataOffset = 0;
    std::int64_t width = 0;   // magnitude of the header's signed width
    std::int64_t height = 0;  // magnitude of the header's signed height
    bool topDown = false;     // a negative height: the first row in the file is the top one
    int bitsPerPixel = 0;
    std::uint32_t compression = 0;
    std::uint32_t coloursUsed = 0;
};

DecodeError readBmpHeader(std::span<const std::uint8_t> data, BmpInfo& info) {
    ByteReader reader(data);
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::uint16_t bitsPerPixel = 0;
    if (data.size() < headerBytes || !reader.seek(10) || !reader.u32le(info.dataOffset) ||
        !reader.seek(18) || !reader.i32le(width) || !reader.i32le(height) || !reader.seek(28) ||
        !reader.u16le(bitsPerPixel) || !reader.u32le(info.compression) || !reader.seek(46) ||
        !reader.u32le(info.coloursUsed)) {
        return DecodeError::Truncated;
    }
    // A negative height marks rows stored top-down. Reading them bottom-up all the same would
    // show such a picture upside down, so the sign decides the row order.
    info.topDown = height < 0;
    info.width = std::llabs(static_cast<long long>(width));
    info.height = std::llabs(static_cast<long long>(height));
    info.bitsPerPixel = bitsPerPixel;
    return DecodeError::Ok;
}

// The palette follows the 54-byte header, whatever size the information header claims.
// Entries are blue, green, red and an ignored byte. Indexes beyond the entries stay black.
DecodeError readBmpPalette(std::span<const std::uint8_t> data, const BmpInfo& info,
                           Palette& palette, std::uint64_t& paletteEnd) {
    paletteEnd = headerBytes;
    if (info.bitsPerPixel > 8) {
        return DecodeError::Ok;  // no palette at 24 and 32 bits, whatever colours-used says
    }
    const std::uint64_t entries =
        info.coloursUsed != 0 ? info.coloursUsed : std::uint64_t{1} << info.bitsPerPixel;
    paletteEnd = headerBytes + entries * 4;
    if (paletteEnd > data.size()) {
        return DecodeError::Truncated;
    }
    const std::uint8_t* entry = data.data() + headerBytes;
    for (std::uint64_t i = 0; i < entries && i < palette.size(); ++i, entry += 4) {
        palette[i] = opaqueRgb(entry[2], entry[1], entry[0]);
    }
    return DecodeError::Ok;
}

void decodeRows(std::span<const std::uint8_t> pixelData, std::size_t rowBytes, const BmpInfo& info,
                const Palette& palette, toolkit::Picture& picture) {
    const std::size_t width = static_cast<std::size_t>(picture.width);
    for (int y = 0; y < picture.height; ++y) {
        // The first row in the file is the bottom row of the picture, unless stored top-down.
        const std::size_t fileRow =
            static_cast<std::size_t>(info.topDown ? y : picture.height - 1 - y);
        decodeDibRow(pixelData.subspan(fileRow * rowBytes), info.bitsPerPixel, palette,
                     std::span(picture.pixels).subspan(static_cast<std::size_t>(y) * width, width));
    }
}

}  // namespace

DecodeResult decodeBmp(std::span<const std::uint8_t> data) {
    BmpInfo info;
    if (DecodeError error = readBmpHeader(data, info); error != DecodeError::Ok) {
        return decodeFailure(error);
    }
    if (DecodeError error = checkDibVariant(info.compression, info.bitsPerPixel);
        error != DecodeError::Ok) {
        return decodeFailure(error);
    }
    Palette palette = blackPalette();
    std::uint64_t paletteEnd = 0;
    if (DecodeError error = readBmpPalette(data, info, palette, paletteEnd);
        error != DecodeError::Ok) {
        return decodeFailure(error);
    }
    if (info.dataOffset < paletteEnd) {
        return decodeFailure(DecodeError::BadHeader);
    }
    if (DecodeError error = checkPictureSize(info.width, info.height); error != DecodeError::Ok) {
        return decodeFailure(error);
    }
    // Every row but the last needs its fill bytes; the last needs only its pixels.
    const std::optional<std::uint64_t> rowBytes = paddedRowBytes(
        static_cast<std::uint64_t>(info.width), static_cast<std::uint64_t>(info.bitsPerPixel));
    const std::optional<std::uint64_t> lastRowPixelBits = checkedProduct(
        static_cast<std::uint64_t>(info.width), static_cast<std::uint64_t>(info.bitsPerPixel));
    const std::optional<std::uint64_t> leadingRows =
        rowBytes ? checkedProduct(*rowBytes, static_cast<std::uint64_t>(info.height - 1))
                 : std::nullopt;
    if (!rowBytes || !lastRowPixelBits || !leadingRows) {
        return decodeFailure(DecodeError::TooManyPixels);
    }
    const std::uint64_t pixelBytes = *leadingRows + (*lastRowPixelBits + 7) / 8;
    if (info.dataOffset > data.size() || pixelBytes > data.size() - info.dataOffset) {
        return decodeFailure(DecodeError::Truncated);
    }

    std::optional<toolkit::Picture> picture =
        allocatePicture(toolkit::PictureKind::Bmp, info.width, info.height);
    if (!picture) {
        return decodeFailure(DecodeError::Internal);
    }
    decodeRows(data.subspan(info.dataOffset), static_cast<std::size_t>(*rowBytes), info, palette,
               *picture);
    return decodeSuccess(std::move(*picture));
}

}  // namespace pictures
