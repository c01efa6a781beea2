// Little-endian byte appending for the picture fixtures of the tests and the benchmark.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string_view>
#include <vector>

namespace picturetest {

using Bytes = std::vector<std::uint8_t>;

class ByteWriter {
  public:
    ByteWriter& u8(unsigned value) {
        bytes_.push_back(static_cast<std::uint8_t>(value));
        return *this;
    }
    ByteWriter& u16(unsigned value) { return u8(value & 0xFF).u8(value >> 8 & 0xFF); }
    ByteWriter& u32(std::uint32_t value) { return u16(value & 0xFFFF).u16(value >> 16); }
    ByteWriter& text(std::string_view text) {
        bytes_.insert(bytes_.end(), text.begin(), text.end());
        return *this;
    }
    ByteWriter& bytes(const Bytes& more) {
        bytes_.insert(bytes_.end(), more.begin(), more.end());
        return *this;
    }
    ByteWriter& bytes(std::initializer_list<std::uint8_t> more) {
        bytes_.insert(bytes_.end(), more.begin(), more.end());
        return *this;
    }
    ByteWriter& zeros(std::size_t count) {
        bytes_.insert(bytes_.end(), count, 0);
        return *this;
    }
    std::size_t size() const { return bytes_.size(); }
    Bytes& data() { return bytes_; }
    Bytes take() { return std::move(bytes_); }

  private:
    Bytes bytes_;
};

// Packs values of `bits` bits each, most significant bit first, and pads to `rowBytes`.
inline Bytes packRow(const std::vector<std::uint32_t>& values, int bits, std::size_t rowBytes) {
    Bytes row(rowBytes, 0);
    for (std::size_t x = 0; x < values.size(); ++x) {
        const std::size_t bit = x * static_cast<std::size_t>(bits);
        const int shift = 8 - bits - static_cast<int>(bit % 8);
        row[bit / 8] |= static_cast<std::uint8_t>((values[x] & ((1u << bits) - 1)) << shift);
    }
    return row;
}

}  // namespace picturetest
