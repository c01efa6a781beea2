#include "pictures/decoders/PcxDecoder.h"

#include <algorithm>
#include <vector>

#include "pictures/decoders/ByteReader.h"
#include "pictures/decoders/Palette.h"
#include "pictures/decoders/PictureSize.h"

namespace pictures {

namespace {

constexpr std::size_t pcxHeaderBytes = 128;
constexpr std::uint8_t paletteMarker = 0x0C;
constexpr std::size_t paletteBytes = 256 * 3;

struct PcxInfo {
    toolkit::PictureKind kind = toolkit::PictureKind::Pcx8;
    std::int64_t width = 0;
    std::int64_t height = 0;
    std::size_t bytesPerLine = 0;
    std::size_t rowBytesUsed = 0;  // of each decoded line, the bytes that hold `width` pixels
};

DecodeError readPcxHeader(std::span<const std::uint8_t> data, PcxInfo& info) {
    ByteReader reader(data);
    std::uint8_t manufacturer = 0;
    std::uint8_t version = 0;
    std::uint8_t encoding = 0;
    std::uint8_t bitsPerPixel = 0;
    std::int16_t xMin = 0;
    std::int16_t yMin = 0;
    std::int16_t xMax = 0;
    std::int16_t yMax = 0;
    std::uint8_t planes = 0;
    std::uint16_t bytesPerLine = 0;
    if (data.size() <= pcxHeaderBytes) {
        return DecodeError::Truncated;
    }
    if (!reader.u8(manufacturer) || !reader.u8(version) || !reader.u8(encoding) ||
        !reader.u8(bitsPerPixel) || !reader.i16le(xMin) || !reader.i16le(yMin) ||
        !reader.i16le(xMax) || !reader.i16le(yMax) || !reader.seek(65) || !reader.u8(planes) ||
        !reader.u16le(bytesPerLine)) {
        return DecodeError::Truncated;
    }
    if (manufacturer != 0x0A || version > 5 || encoding != 1 || xMax < xMin || yMax < yMin) {
        return DecodeError::BadHeader;
    }
    info.width = std::int64_t{xMax} - xMin + 1;
    info.height = std::int64_t{yMax} - yMin + 1;
    info.bytesPerLine = bytesPerLine;
    // Only the first plane of a many-plane 8-bit file is used; its other planes are read
    // as if they were further lines, as the plane count plays no part at 8 bits.
    if (bitsPerPixel == 8) {
        info.kind = toolkit::PictureKind::Pcx8;
        info.rowBytesUsed = static_cast<std::size_t>(info.width);
    } else if (bitsPerPixel == 1 && planes == 1) {
        info.kind = toolkit::PictureKind::Pcx1;
        info.rowBytesUsed = static_cast<std::size_t>((info.width + 7) / 8);
    } else {
        return DecodeError::Unsupported;
    }
    return DecodeError::Ok;
}

// The run-length coding: a byte above 0xC0 repeats the next byte (its value minus 0xC0)
// times; any other byte stands for itself. Runs may cross line ends.
class RunLengthReader {
  public:
    RunLengthReader(std::span<const std::uint8_t> data, std::size_t position)
        : data_(data), position_(position) {}

    // Fills `line`; false when the data end first.
    bool readLine(std::span<std::uint8_t> line) {
        std::size_t filled = 0;
        while (filled < line.size()) {
            if (runLeft_ > 0) {
                const std::size_t count = std::min<std::size_t>(runLeft_, line.size() - filled);
                std::fill_n(line.data() + filled, count, runValue_);
                filled += count;
                runLeft_ -= count;
                continue;
            }
            if (position_ >= data_.size()) {
                return false;
            }
            const std::uint8_t byte = data_[position_++];
            if (byte > 0xC0) {
                if (position_ >= data_.size()) {
                    return false;
                }
                runLeft_ = byte - 0xC0u;
                runValue_ = data_[position_++];
            } else {
                line[filled++] = byte;
            }
        }
        return true;
    }

    // Where the coded data stop, once the last line is read.
    std::size_t position() const { return position_; }

  private:
    std::span<const std::uint8_t> data_;
    std::size_t position_;
    std::size_t runLeft_ = 0;
    std::uint8_t runValue_ = 0;
};

// The 256-colour palette follows the marker 0x0C after the last line. Files that leave a gap
// there still end with the marker and palette, so the end of the data is tried next.
bool readPcxPalette(std::span<const std::uint8_t> data, std::size_t afterImage, Palette& palette) {
    std::size_t start = afterImage;
    if (start + 1 + paletteBytes > data.size() || data[start] != paletteMarker) {
        if (data.size() < 1 + paletteBytes) {
            return false;
        }
        start = data.size() - 1 - paletteBytes;
        if (start < afterImage || data[start] != paletteMarker) {
            return false;
        }
    }
    const std::uint8_t* entry = data.data() + start + 1;
    for (std::size_t i = 0; i < 256; ++i, entry += 3) {
        palette[i] = opaqueRgb(entry[0], entry[1], entry[2]);
    }
    return true;
}

void decodeLine(std::span<const std::uint8_t> line, const PcxInfo& info, std::uint32_t* out) {
    const auto width = static_cast<std::size_t>(info.width);
    if (info.kind == toolkit::PictureKind::Pcx1) {
        for (std::size_t x = 0; x < width; ++x) {
            const bool white = (line[x / 8] & (0x80 >> (x % 8))) != 0;
            out[x] = white ? 0xFFFFFFFFu : opaqueBlack;
        }
    } else {
        // Indexes for now; the palette at the end of the file colours them afterwards.
        std::copy_n(line.data(), width, out);
    }
}

}  // namespace

DecodeResult decodePcx(std::span<const std::uint8_t> data) {
    PcxInfo info;
    if (DecodeError error = readPcxHeader(data, info); error != DecodeError::Ok) {
        return decodeFailure(error);
    }
    if (DecodeError error = checkPictureSize(info.width, info.height); error != DecodeError::Ok) {
        return decodeFailure(error);
    }
    // A line must hold the picture's width; longer lines (padded to even lengths by most
    // writers) are decoded and their extra bytes dropped.
    if (info.bytesPerLine < info.rowBytesUsed) {
        return decodeFailure(DecodeError::BadHeader);
    }
    // Each coded byte yields at most 63 bytes: data this short cannot hold the picture.
    const std::optional<std::uint64_t> codedBytes =
        checkedProduct(info.bytesPerLine, static_cast<std::uint64_t>(info.height));
    if (!codedBytes || *codedBytes / 63 > data.size()) {
        return decodeFailure(DecodeError::Truncated);
    }
    std::optional<toolkit::Picture> picture = allocatePicture(info.kind, info.width, info.height);
    if (!picture) {
        return decodeFailure(DecodeError::Internal);
    }
    RunLengthReader runs(data, pcxHeaderBytes);
    std::vector<std::uint8_t> line(info.bytesPerLine);
    const auto width = static_cast<std::size_t>(info.width);
    for (std::size_t y = 0; y < static_cast<std::size_t>(info.height); ++y) {
        if (!runs.readLine(line)) {
            return decodeFailure(DecodeError::Truncated);
        }
        decodeLine(line, info, picture->pixels.data() + y * width);
    }
    if (info.kind == toolkit::PictureKind::Pcx8) {
        Palette palette = blackPalette();
        if (!readPcxPalette(data, runs.position(), palette)) {
            return decodeFailure(DecodeError::CorruptData);
        }
        for (std::uint32_t& pixel : picture->pixels) {
            pixel = palette[pixel & 0xFF];
        }
    }
    return decodeSuccess(std::move(*picture));
}

}  // namespace pictures
