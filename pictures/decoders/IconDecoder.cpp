#include "pictures/decoders/IconDecoder.h"

#include <algorithm>

#include "pictures/decoders/ByteReader.h"
#include "pictures/decoders/DibRows.h"
#include "pictures/decoders/PictureSize.h"

namespace pictures {

namespace {

constexpr std::size_t iconDirHeaderBytes = 6;
constexpr std::size_t iconDirEntryBytes = 16;
constexpr std::uint32_t dibHeaderBytes = 40;

struct IconDirEntry {
    std::uint8_t width = 0;
    std::uint8_t colourCount = 0;
    std::uint32_t dataBytes = 0;
    std::uint32_t dataOffset = 0;
};

bool readIconDirEntry(std::span<const std::uint8_t> data, std::size_t index, IconDirEntry& entry) {
    ByteReader reader(data);
    std::uint8_t unused = 0;
    return reader.seek(iconDirHeaderBytes + std::uint64_t{index} * iconDirEntryBytes) &&
           reader.u8(entry.width) && reader.u8(unused) && reader.u8(entry.colourCount) &&
           reader.skip(5) && reader.u32le(entry.dataBytes) && reader.u32le(entry.dataOffset);
}

// The first 32-pixel-wide entry of 16 to 255 colours is the one a 32 x 32 display would pick;
// with none, the last entry is taken.
DecodeError chooseIconEntry(std::span<const std::uint8_t> data, IconDirEntry& chosen) {
    ByteReader reader(data);
    std::uint16_t count = 0;
    if (!reader.seek(4) || !reader.u16le(count) || count == 0) {
        return DecodeError::BadHeader;
    }
    for (std::size_t i = 0; i < count; ++i) {
        if (!readIconDirEntry(data, i, chosen)) {
            return DecodeError::Truncated;
        }
        if (chosen.width == 32 && chosen.colourCount >= 16) {
            return DecodeError::Ok;
        }
    }
    return DecodeError::Ok;  // the last entry, read last
}

// The bitmap information header at the start of the image data. Its height counts the
// colour image and the mask below it.
struct IconImageInfo {
    std::uint32_t headerBytes = 0;
    std::int64_t width = 0;
    std::int64_t height = 0;  // of the colour image: half the header's height
    int bitsPerPixel = 0;
    std::uint32_t compression = 0;
    std::uint32_t coloursUsed = 0;
};

DecodeError readIconImageHeader(std::span<const std::uint8_t> image, IconImageInfo& info) {
    static constexpr std::uint8_t pngSignature[] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
    if (image.size() >= sizeof pngSignature &&
        std::equal(std::begin(pngSignature), std::end(pngSignature), image.begin())) {
        return DecodeError::Unsupported;
    }
    ByteReader reader(image);
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::uint16_t planes = 0;
    std::uint16_t bitsPerPixel = 0;
    if (!reader.u32le(info.headerBytes) || !reader.i32le(width) || !reader.i32le(height) ||
        !reader.u16le(planes) || !reader.u16le(bitsPerPixel) || !reader.u32le(info.compression) ||
        !reader.seek(32) || !reader.u32le(info.coloursUsed)) {
        return DecodeError::Truncated;
    }
    if (info.headerBytes < dibHeaderBytes || info.headerBytes > image.size()) {
        return DecodeError::BadHeader;
    }
    // Icon images are always stored bottom-up with the mask: a negative height is not an icon.
    if (width <= 0 || height <= 0) {
        return DecodeError::BadHeader;
    }
    info.width = width;
    info.height = height / 2;
    info.bitsPerPixel = bitsPerPixel;
    return DecodeError::Ok;
}

// The colour table follows the information header. As in Windows' own bitmap reading, it has
// colours-used entries (at most 256), or 2 to the power of the bit count when that is 0 at
// 8 bits or fewer; deeper images may carry a table too, which is skipped.
DecodeError readIconPalette(std::span<const std::uint8_t> image, const IconImageInfo& info,
                            Palette& palette, std::uint64_t& paletteEnd) {
    std::uint64_t entries = std::min<std::uint64_t>(info.coloursUsed, 256);
    if (entries == 0 && info.bitsPerPixel <= 8) {
        entries = std::uint64_t{1} << info.bitsPerPixel;
    }
    paletteEnd = info.headerBytes + entries * 4;
    if (paletteEnd > image.size()) {
        return DecodeError::Truncated;
    }
    if (info.bitsPerPixel <= 8) {
        const std::uint8_t* entry = image.data() + info.headerBytes;
        for (std::uint64_t i = 0; i < entries; ++i, entry += 4) {
            palette[i] = opaqueRgb(entry[2], entry[1], entry[0]);
        }
    }
    return DecodeError::Ok;
}

struct IconLayout {
    std::size_t colourOffset = 0;
    std::size_t colourRowBytes = 0;
    std::size_t maskOffset = 0;
    std::size_t maskRowBytes = 0;
};

// The colour rows, then the 1-bit mask rows, both bottom-up and padded to 4 bytes; both must
// lie wholly within the image data.
DecodeError layOutIconImage(std::span<const std::uint8_t> image, const IconImageInfo& info,
                            std::uint64_t paletteEnd, IconLayout& layout) {
    const auto width = static_cast<std::uint64_t>(info.width);
    const auto height = static_cast<std::uint64_t>(info.height);
    const std::optional<std::uint64_t> colourRow =
        paddedRowBytes(width, static_cast<std::uint64_t>(info.bitsPerPixel));
    const std::optional<std::uint64_t> maskRow = paddedRowBytes(width, 1);
    if (!colourRow || !maskRow) {
        return DecodeError::TooManyPixels;
    }
    const std::optional<std::uint64_t> colourBytes = checkedProduct(*colourRow, height);
    const std::optional<std::uint64_t> maskBytes = checkedProduct(*maskRow, height);
    if (!colourBytes || !maskBytes) {
        return DecodeError::TooManyPixels;
    }
    const std::uint64_t available = image.size() - paletteEnd;
    if (*colourBytes > available || *maskBytes > available - *colourBytes) {
        return DecodeError::Truncated;
    }
    layout.colourOffset = static_cast<std::size_t>(paletteEnd);
    layout.colourRowBytes = static_cast<std::size_t>(*colourRow);
    layout.maskOffset = static_cast<std::size_t>(paletteEnd + *colourBytes);
    layout.maskRowBytes = static_cast<std::size_t>(*maskRow);
    return DecodeError::Ok;
}

// A 32-bit image whose fourth bytes are not all 0 carries its own alpha channel, which then
// replaces the mask (as the system draws such icons).
bool hasAlphaChannel(std::span<const std::uint8_t> image, const IconImageInfo& info,
                     const IconLayout& layout) {
    if (info.bitsPerPixel != 32) {
        return false;
    }
    for (std::int64_t y = 0; y < info.height; ++y) {
        const std::uint8_t* row = image.data() + layout.colourOffset + y * layout.colourRowBytes;
        for (std::int64_t x = 0; x < info.width; ++x) {
            if (row[x * 4 + 3] != 0) {
                return true;
            }
        }
    }
    return false;
}

void decodeIconRows(std::span<const std::uint8_t> image, const IconImageInfo& info,
                    const IconLayout& layout, const Palette& palette, toolkit::Picture& picture) {
    const bool alphaChannel = hasAlphaChannel(image, info, layout);
    const auto width = static_cast<std::size_t>(picture.width);
    for (int y = 0; y < picture.height; ++y) {
        const std::size_t fileRow = static_cast<std::size_t>(picture.height - 1 - y);
        const std::uint8_t* colours =
            image.data() + layout.colourOffset + fileRow * layout.colourRowBytes;
        const std::uint8_t* mask = image.data() + layout.maskOffset + fileRow * layout.maskRowBytes;
        std::span<std::uint32_t> out =
            std::span(picture.pixels).subspan(static_cast<std::size_t>(y) * width, width);
        decodeDibRow(std::span(colours, layout.colourRowBytes), info.bitsPerPixel, palette, out);
        for (std::size_t x = 0; x < width; ++x) {
            std::uint32_t alpha = 0xFF;
            if (alphaChannel) {
                alpha = colours[x * 4 + 3];
            } else if (mask[x / 8] & (0x80 >> (x % 8))) {
                alpha = 0;  // a set mask bit lets the background show through
            }
            out[x] = (out[x] & 0x00FFFFFFu) | alpha << 24;
        }
    }
}

}  // namespace

DecodeResult decodeIcon(std::span<const std::uint8_t> data, toolkit::PictureKind kind) {
    IconDirEntry entry;
    if (DecodeError error = chooseIconEntry(data, entry); error != DecodeError::Ok) {
        return decodeFailure(error);
    }
    if (entry.dataOffset > data.size() || entry.dataBytes > data.size() - entry.dataOffset) {
        return decodeFailure(DecodeError::Truncated);
    }
    const std::span<const std::uint8_t> image = data.subspan(entry.dataOffset, entry.dataBytes);

    IconImageInfo info;
    if (DecodeError error = readIconImageHeader(image, info); error != DecodeError::Ok) {
        return decodeFailure(error);
    }
    if (DecodeError error = checkDibVariant(info.compression, info.bitsPerPixel);
        error != DecodeError::Ok) {
        return decodeFailure(error);
    }
    if (DecodeError error = checkPictureSize(info.width, info.height); error != DecodeError::Ok) {
        return decodeFailure(error);
    }
    Palette palette = blackPalette();
    std::uint64_t paletteEnd = 0;
    if (DecodeError error = readIconPalette(image, info, palette, paletteEnd);
        error != DecodeError::Ok) {
        return decodeFailure(error);
    }
    IconLayout layout;
    if (DecodeError error = layOutIconImage(image, info, paletteEnd, layout);
        error != DecodeError::Ok) {
        return decodeFailure(error);
    }

    std::optional<toolkit::Picture> picture = allocatePicture(kind, info.width, info.height);
    if (!picture) {
        return decodeFailure(DecodeError::Internal);
    }
    decodeIconRows(image, info, layout, palette, *picture);
    picture->hasMask = true;
    return decodeSuccess(std::move(*picture));
}

}  // namespace pictures
