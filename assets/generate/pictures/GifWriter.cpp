#include "GifWriter.h"

#include <algorithm>

namespace pictures_gen {
namespace {

constexpr int minimumCodeSize = 8;
constexpr int clearCode = 1 << minimumCodeSize;
constexpr int endCode = clearCode + 1;
constexpr int maxCodes = 4096;

class BitPacker {
  public:
    explicit BitPacker(Bytes& out) : out_(out) {}
    void put(int code, int width) {
        bits_ |= std::uint32_t(code) << count_;
        count_ += width;
        while (count_ >= 8) {
            out_.push_back(std::uint8_t(bits_ & 0xFF));
            bits_ >>= 8;
            count_ -= 8;
        }
    }
    void flush() {
        if (count_ > 0) {
            out_.push_back(std::uint8_t(bits_ & 0xFF));
        }
        bits_ = 0;
        count_ = 0;
    }

  private:
    Bytes& out_;
    std::uint32_t bits_ = 0;
    int count_ = 0;
};

// Splits the compressed stream into sub-blocks of at most 255 bytes, ended by an empty one.
void putSubBlocks(Bytes& out, const Bytes& data) {
    for (std::size_t at = 0; at < data.size(); at += 255) {
        const std::size_t n = std::min<std::size_t>(255, data.size() - at);
        put8(out, unsigned(n));
        out.insert(out.end(), data.begin() + std::ptrdiff_t(at),
                   data.begin() + std::ptrdiff_t(at + n));
    }
    put8(out, 0);
}

void putColourTable(Bytes& out, const Palette& palette) {
    for (const Colour8& c : palette) {
        put8(out, c.r);
        put8(out, c.g);
        put8(out, c.b);
    }
}

void putLoopExtension(Bytes& out) {
    put8(out, 0x21);
    put8(out, 0xFF);
    put8(out, 11);
    putText(out, "NETSCAPE2.0");
    put8(out, 3);
    put8(out, 1);
    put16(out, 0);  // 0 repetitions: forever
    put8(out, 0);
}

void putGraphicControl(Bytes& out, const GifControl& control) {
    put8(out, 0x21);
    put8(out, 0xF9);
    put8(out, 4);
    const bool transparent = control.transparentIndex >= 0;
    put8(out, unsigned((control.disposal & 7) << 2) | (transparent ? 1u : 0u));
    put16(out, unsigned(control.delay));
    put8(out, transparent ? unsigned(control.transparentIndex) : 0u);
    put8(out, 0);
}

void putImage(Bytes& out, const GifImage& image) {
    if (image.control) {
        putGraphicControl(out, *image.control);
    }
    put8(out, 0x2C);
    put16(out, unsigned(image.box.left));
    put16(out, unsigned(image.box.top));
    put16(out, unsigned(image.box.right - image.box.left + 1));
    put16(out, unsigned(image.box.bottom - image.box.top + 1));
    put8(out, 0);  // no local table, not interlaced
    put8(out, minimumCodeSize);
    putSubBlocks(out, compressLzw(image.indices));
}

}  // namespace

Bytes compressLzw(const std::vector<std::uint8_t>& indices) {
    Bytes data;
    BitPacker packer(data);
    // child[code * 256 + byte]: the code of string `code` followed by `byte`, 0 when absent.
    std::vector<std::uint16_t> child(std::size_t(maxCodes) * 256, 0);
    int width = minimumCodeSize + 1;
    int lastCode = endCode;
    packer.put(clearCode, width);
    if (indices.empty()) {
        packer.put(endCode, width);
        packer.flush();
        return data;
    }
    int current = indices.front();
    for (std::size_t i = 1; i < indices.size(); ++i) {
        const int next = indices[i];
        const std::uint16_t known = child[std::size_t(current) * 256 + next];
        if (known != 0) {
            current = known;
            continue;
        }
        packer.put(current, width);
        child[std::size_t(current) * 256 + next] = std::uint16_t(++lastCode);
        // A reader grows its code width when its table reaches the next power of two, one
        // code after the writer adds that entry.
        if (lastCode >= (1 << width) && width < 12) {
            ++width;
        }
        if (lastCode == maxCodes - 1) {
            packer.put(clearCode, width);
            std::fill(child.begin(), child.end(), 0);
            width = minimumCodeSize + 1;
            lastCode = endCode;
        }
        current = next;
    }
    packer.put(current, width);
    packer.put(endCode, width);
    packer.flush();
    return data;
}

Bytes encodeGif(const GifFile& gif) {
    Bytes out;
    putText(out, "GIF89a");
    put16(out, unsigned(gif.width));
    put16(out, unsigned(gif.height));
    // A global table of 256 entries (size field 7), 8 bits per primary.
    put8(out, 0x80 | (7 << 4) | 7);
    put8(out, 0);  // background colour index
    put8(out, 0);  // square pixels
    putColourTable(out, gif.palette);
    if (gif.loopForever) {
        putLoopExtension(out);
    }
    for (const GifImage& image : gif.images) {
        putImage(out, image);
    }
    put8(out, 0x3B);
    return out;
}

}  // namespace pictures_gen
