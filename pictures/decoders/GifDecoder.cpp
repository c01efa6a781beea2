#include "pictures/decoders/GifDecoder.h"

#include <algorithm>
#include <vector>

#include "pictures/decoders/ByteReader.h"
#include "pictures/decoders/Lzw.h"
#include "pictures/decoders/Palette.h"
#include "pictures/decoders/PictureSize.h"

namespace pictures {

namespace {

constexpr std::size_t logicalScreenEnd = 13;  // signature, version, screen descriptor
constexpr std::uint8_t extensionIntroducer = 0x21;
constexpr std::uint8_t imageSeparator = 0x2C;
constexpr std::uint8_t trailer = 0x3B;

struct LogicalScreen {
    std::int64_t width = 0;
    std::int64_t height = 0;
    bool hasGlobalTable = false;
    Palette globalTable = blackPalette();
    std::uint8_t backgroundIndex = 0;
};

struct ImageDescriptor {
    std::uint16_t width = 0;
    std::uint16_t height = 0;
    bool interlaced = false;
    Palette colourTable = blackPalette();
};

// A table of 2 to the power of (bits 0 to 2 of `flags`, plus 1) entries of red, green, blue.
bool readColourTable(ByteReader& reader, std::uint8_t flags, Palette& table) {
    const std::size_t entries = std::size_t{2} << (flags & 0x07);
    std::span<const std::uint8_t> bytes;
    if (!reader.bytes(entries * 3, bytes)) {
        return false;
    }
    for (std::size_t i = 0; i < entries; ++i) {
        table[i] = opaqueRgb(bytes[i * 3], bytes[i * 3 + 1], bytes[i * 3 + 2]);
    }
    return true;
}

DecodeError readLogicalScreen(ByteReader& reader, LogicalScreen& screen) {
    std::uint16_t width = 0;
    std::uint16_t height = 0;
    std::uint8_t flags = 0;
    std::uint8_t aspect = 0;
    if (!reader.seek(6) || !reader.u16le(width) || !reader.u16le(height) || !reader.u8(flags) ||
        !reader.u8(screen.backgroundIndex) || !reader.u8(aspect)) {
        return DecodeError::Truncated;
    }
    screen.width = width;
    screen.height = height;
    screen.hasGlobalTable = (flags & 0x80) != 0;
    if (screen.hasGlobalTable) {
        // The table must end before the data do: a file cannot end right after it.
        if (!readColourTable(reader, flags, screen.globalTable) || reader.atEnd()) {
            return DecodeError::Truncated;
        }
    }
    return DecodeError::Ok;
}

// Sub-blocks: a length byte, that many bytes, until a length of 0. Each block's bytes are
// handed to `take` (which may be null).
bool walkSubBlocks(ByteReader& reader, std::vector<std::uint8_t>* take) {
    for (;;) {
        std::uint8_t length = 0;
        std::span<const std::uint8_t> block;
        if (!reader.u8(length) || !reader.bytes(length, block)) {
            return false;
        }
        if (length == 0) {
            return true;
        }
        if (take) {
            take->insert(take->end(), block.begin(), block.end());
        }
    }
}

// Walks the blocks before the first image, skipping the extensions of GIF89a, and stops on
// the image separator. Whatever follows the first image is never looked at.
DecodeError findFirstImage(ByteReader& reader) {
    for (;;) {
        std::uint8_t introducer = 0;
        if (!reader.u8(introducer)) {
            return DecodeError::Truncated;
        }
        if (introducer == imageSeparator) {
            return DecodeError::Ok;
        }
        if (introducer == trailer || introducer == 0x00) {
            return DecodeError::NoImage;
        }
        if (introducer != extensionIntroducer) {
            return DecodeError::CorruptData;
        }
        std::uint8_t label = 0;
        if (!reader.u8(label)) {
            return DecodeError::Truncated;
        }
        // Plain text, graphic control (its transparent index is not applied), comment and
        // application extensions; any other label is not a GIF we know.
        if (label != 0x01 && label != 0xF9 && label != 0xFE && label != 0xFF) {
            return DecodeError::CorruptData;
        }
        if (!walkSubBlocks(reader, nullptr)) {
            return DecodeError::Truncated;
        }
    }
}

DecodeError readImageDescriptor(ByteReader& reader, const LogicalScreen& screen,
                                ImageDescriptor& image) {
    std::uint16_t left = 0;
    std::uint16_t top = 0;
    std::uint8_t flags = 0;
    if (!reader.u16le(left) || !reader.u16le(top) || !reader.u16le(image.width) ||
        !reader.u16le(image.height) || !reader.u8(flags)) {
        return DecodeError::Truncated;
    }
    image.interlaced = (flags & 0x40) != 0;
    image.colourTable = screen.globalTable;
    if ((flags & 0x80) != 0) {
        image.colourTable = blackPalette();
        if (!readColourTable(reader, flags, image.colourTable)) {
            return DecodeError::Truncated;
        }
    }
    return DecodeError::Ok;
}

// The rows of the image in the order the data hold them: top to bottom, or the four passes
// of an interlaced image (every 8th row from 0, every 8th from 4, every 4th from 2, every
// 2nd from 1).
class RowOrder {
  public:
    RowOrder(int height, bool interlaced) : height_(height), interlaced_(interlaced) {}

    // The row the next decoded row goes to, or -1 after the last.
    int next() {
        if (!interlaced_) {
            return row_ < height_ ? row_++ : -1;
        }
        static constexpr int starts[] = {0, 4, 2, 1};
        static constexpr int steps[] = {8, 8, 4, 2};
        while (pass_ < 4) {
            if (row_ < height_) {
                const int row = row_;
                row_ += steps[pass_];
                return row;
            }
            if (++pass_ < 4) {
                row_ = starts[pass_];
            }
        }
        return -1;
    }

  private:
    int height_;
    bool interlaced_;
    int pass_ = 0;
    int row_ = 0;
};

// Places decoded colour indexes row by row at the top-left of the picture, cutting off
// what lies outside it.
class ImageWriter {
  public:
    ImageWriter(const ImageDescriptor& image, toolkit::Picture& picture)
        : image_(image),
          picture_(picture),
          visibleWidth_(std::min<int>(image.width, picture.width)),
          rows_(image.height, image.interlaced) {
        startRow();
    }

    bool done() const { return row_ < 0; }

    void write(std::span<const std::uint8_t> indexes) {
        const std::uint8_t* in = indexes.data();
        std::size_t left = indexes.size();
        while (left > 0 && row_ >= 0) {
            const std::size_t count = std::min<std::size_t>(left, image_.width - column_);
            if (out_ && column_ < visibleWidth_) {
                const std::size_t visible =
                    std::min<std::size_t>(count, static_cast<std::size_t>(visibleWidth_ - column_));
                for (std::size_t i = 0; i < visible; ++i) {
                    out_[column_ + i] = image_.colourTable[in[i]];
                }
            }
            column_ += static_cast<int>(count);
            in += count;
            left -= count;
            if (column_ == image_.width) {
                startRow();
            }
        }
    }

  private:
    void startRow() {
        column_ = 0;
        row_ = image_.width == 0 ? -1 : rows_.next();
        out_ = row_ >= 0 && row_ < picture_.height
                   ? picture_.pixels.data() + static_cast<std::size_t>(row_) * picture_.width
                   : nullptr;
    }

    const ImageDescriptor& image_;
    toolkit::Picture& picture_;
    const int visibleWidth_;
    RowOrder rows_;
    int row_ = -1;
    int column_ = 0;
    std::uint32_t* out_ = nullptr;
};

DecodeError decodeImageData(std::span<const std::uint8_t> codes, int literalBits,
                            ImageWriter& writer) {
    LzwDecoder lzw(literalBits, codes);
    std::span<const std::uint8_t> string;
    while (!writer.done()) {
        switch (lzw.next(string)) {
            case LzwStatus::String:
                writer.write(string);
                break;
            case LzwStatus::BadCode:
                return DecodeError::CorruptData;
            case LzwStatus::End:
            case LzwStatus::OutOfData:
                // The codes stopped before the image's last pixel.
                return DecodeError::Truncated;
        }
    }
    return DecodeError::Ok;
}

}  // namespace

DecodeResult decodeGif(std::span<const std::uint8_t> data) {
    if (data.size() <= logicalScreenEnd) {
        return decodeFailure(DecodeError::Truncated);
    }
    ByteReader reader(data);
    LogicalScreen screen;
    if (DecodeError error = readLogicalScreen(reader, screen); error != DecodeError::Ok) {
        return decodeFailure(error);
    }
    if (DecodeError error = checkPictureSize(screen.width, screen.height);
        error != DecodeError::Ok) {
        return decodeFailure(error);
    }
    if (DecodeError error = findFirstImage(reader); error != DecodeError::Ok) {
        return decodeFailure(error);
    }
    ImageDescriptor image;
    if (DecodeError error = readImageDescriptor(reader, screen, image); error != DecodeError::Ok) {
        return decodeFailure(error);
    }
    std::uint8_t literalBits = 0;
    std::vector<std::uint8_t> codes;
    if (!reader.u8(literalBits) || !walkSubBlocks(reader, &codes)) {
        return decodeFailure(DecodeError::Truncated);
    }
    if (!LzwDecoder::isValidLiteralBits(literalBits)) {
        return decodeFailure(DecodeError::CorruptData);
    }

    // Outside the image the picture shows the screen's background colour (black without a
    // global table).
    const std::uint32_t background = screen.globalTable[screen.backgroundIndex];
    std::optional<toolkit::Picture> picture =
        allocatePicture(toolkit::PictureKind::Gif, screen.width, screen.height, background);
    if (!picture) {
        return decodeFailure(DecodeError::Internal);
    }
    ImageWriter writer(image, *picture);
    if (DecodeError error = decodeImageData(codes, literalBits, writer); error != DecodeError::Ok) {
        return decodeFailure(error);
    }
    return decodeSuccess(std::move(*picture));
}

}  // namespace pictures
