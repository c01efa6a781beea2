#include "GifWalker.h"

namespace assets_test {
namespace {

class Reader {
  public:
    explicit Reader(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}
    bool has(std::size_t n) const { return bytes_.size() - at_ >= n; }
    int u8() { return has(1) ? bytes_[at_++] : fail(); }
    int u16() {
        const int lo = u8();
        return lo | (u8() << 8);
    }
    std::string text(std::size_t n) {
        if (!has(n)) {
            fail();
            return {};
        }
        std::string s(bytes_.begin() + std::ptrdiff_t(at_),
                      bytes_.begin() + std::ptrdiff_t(at_ + n));
        at_ += n;
        return s;
    }
    // Concatenates a chain of sub-blocks up to its empty terminator.
    std::vector<std::uint8_t> subBlocks() {
        std::vector<std::uint8_t> data;
        for (int n = u8(); n > 0 && ok_; n = u8()) {
            for (int i = 0; i < n; ++i) {
                data.push_back(std::uint8_t(u8()));
            }
        }
        return data;
    }
    bool ok() const { return ok_; }
    int fail() {
        ok_ = false;
        at_ = bytes_.size();
        return 0;
    }

  private:
    std::span<const std::uint8_t> bytes_;
    std::size_t at_ = 0;
    bool ok_ = true;
};

// A plain LZW reader: codes grow to at most 12 bits, a clear code resets the table.
std::optional<std::vector<std::uint8_t>> decodeLzw(const std::vector<std::uint8_t>& data,
                                                   int minimumCodeSize, std::size_t pixels) {
    if (minimumCodeSize < 2 || minimumCodeSize > 8) {
        return std::nullopt;
    }
    const int clear = 1 << minimumCodeSize, end = clear + 1;
    std::vector<int> prefix(4096, -1);
    std::vector<std::uint8_t> suffix(4096), firstByte(4096);
    for (int i = 0; i < clear; ++i) {
        suffix[i] = firstByte[i] = std::uint8_t(i);
    }
    int width = minimumCodeSize + 1, next = end + 1, previous = -1;
    std::size_t bit = 0;
    std::vector<std::uint8_t> out, string;
    while (out.size() < pixels) {
        if (bit + std::size_t(width) > data.size() * 8) {
            return std::nullopt;
        }
        int code = 0;
        for (int i = 0; i < width; ++i, ++bit) {
            code |= ((data[bit / 8] >> (bit % 8)) & 1) << i;
        }
        if (code == clear) {
            width = minimumCodeSize + 1;
            next = end + 1;
            previous = -1;
            continue;
        }
        if (code == end || code > next || (code == next && previous < 0)) {
            return std::nullopt;
        }
        const int walk = code == next ? previous : code;
        string.clear();
        for (int c = walk; c >= 0; c = prefix[c]) {
            string.insert(string.begin(), suffix[c]);
        }
        if (code == next) {
            string.push_back(firstByte[previous]);
        }
        if (previous >= 0 && next < 4096) {
            prefix[next] = previous;
            suffix[next] = string.front();
            firstByte[next] = firstByte[previous];
            ++next;
            if (next == (1 << width) && width < 12) {
                ++width;
            }
        }
        out.insert(out.end(), string.begin(), string.end());
        previous = code;
    }
    out.resize(pixels);
    return out;
}

}  // namespace

std::optional<GifLayout> walkGif(std::span<const std::uint8_t> bytes) {
    Reader in(bytes);
    GifLayout gif;
    gif.signature = in.text(6);
    gif.width = in.u16();
    gif.height = in.u16();
    const int flags = in.u8();
    gif.backgroundIndex = in.u8();
    in.u8();
    if (flags & 0x80) {
        gif.globalTableEntries = 2 << (flags & 7);
        const std::string table = in.text(std::size_t(gif.globalTableEntries) * 3);
        gif.globalTable.assign(table.begin(), table.end());
    }
    std::optional<GifControl> pending;
    while (in.ok()) {
        const int block = in.u8();
        if (block == 0x3B) {
            return gif;
        }
        if (block == 0x21) {
            const int label = in.u8();
            if (label == 0xF9) {
                const std::vector<std::uint8_t> body = in.subBlocks();
                if (body.size() != 4) {
                    return std::nullopt;
                }
                pending = GifControl{(body[0] >> 2) & 7, body[1] | (body[2] << 8),
                                     (body[0] & 1) ? body[3] : -1};
                gif.extensions.push_back("GCE");
            } else if (label == 0xFF) {
                const std::vector<std::uint8_t> body = in.subBlocks();
                const std::string id(
                    body.begin(),
                    body.begin() + std::min<std::ptrdiff_t>(11, std::ptrdiff_t(body.size())));
                gif.extensions.push_back("APP:" + id);
                // NETSCAPE2.0: sub-block 1 with a repeat count, 0 meaning forever.
                gif.loopsForever = id == "NETSCAPE2.0" && body.size() == 14 && body[11] == 1 &&
                                   body[12] == 0 && body[13] == 0;
            } else {
                in.subBlocks();
                gif.extensions.push_back(label == 0xFE ? "COMMENT" : "OTHER");
            }
        } else if (block == 0x2C) {
            GifFrame frame;
            frame.left = in.u16();
            frame.top = in.u16();
            frame.width = in.u16();
            frame.height = in.u16();
            const int imageFlags = in.u8();
            frame.interlaced = (imageFlags & 0x40) != 0;
            frame.localTable = (imageFlags & 0x80) != 0;
            if (frame.localTable) {
                in.text(std::size_t(2 << (imageFlags & 7)) * 3);
            }
            const int minimumCodeSize = in.u8();
            const std::vector<std::uint8_t> data = in.subBlocks();
            if (!in.ok()) {
                return std::nullopt;
            }
            auto indices =
                decodeLzw(data, minimumCodeSize, std::size_t(frame.width) * frame.height);
            if (!indices) {
                return std::nullopt;
            }
            frame.indices = std::move(*indices);
            frame.control = pending;
            pending.reset();
            gif.frames.push_back(std::move(frame));
        } else {
            return std::nullopt;
        }
    }
    return std::nullopt;
}

Rgb frameColour(const GifLayout& gif, const GifFrame& frame, int x, int y) {
    const int index = frame.indices.at(std::size_t(y - frame.top) * frame.width + (x - frame.left));
    const std::size_t at = std::size_t(index) * 3;
    return {gif.globalTable.at(at), gif.globalTable.at(at + 1), gif.globalTable.at(at + 2)};
}

}  // namespace assets_test
