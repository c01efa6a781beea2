// A reader over a byte span that knows its end. A read past the end fails and moves
// nothing; it never yields made-up zeros.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace pictures {

class ByteReader {
  public:
    explicit ByteReader(std::span<const std::uint8_t> data, std::size_t position = 0)
        : data_(data), position_(position <= data.size() ? position : data.size()) {}

    std::size_t position() const { return position_; }
    std::size_t remaining() const { return data_.size() - position_; }
    bool atEnd() const { return position_ == data_.size(); }

    [[nodiscard]] bool seek(std::uint64_t position) {
        if (position > data_.size()) {
            return false;
        }
        position_ = static_cast<std::size_t>(position);
        return true;
    }

    [[nodiscard]] bool skip(std::uint64_t count) {
        if (count > remaining()) {
            return false;
        }
        position_ += static_cast<std::size_t>(count);
        return true;
    }

    [[nodiscard]] bool u8(std::uint8_t& value) {
        if (remaining() < 1) {
            return false;
        }
        value = data_[position_++];
        return true;
    }

    [[nodiscard]] bool u16le(std::uint16_t& value) {
        if (remaining() < 2) {
            return false;
        }
        value = static_cast<std::uint16_t>(data_[position_] | data_[position_ + 1] << 8);
        position_ += 2;
        return true;
    }

    [[nodiscard]] bool i16le(std::int16_t& value) {
        std::uint16_t raw = 0;
        if (!u16le(raw)) {
            return false;
        }
        value = static_cast<std::int16_t>(raw);
        return true;
    }

    [[nodiscard]] bool u32le(std::uint32_t& value) {
        if (remaining() < 4) {
            return false;
        }
        value = static_cast<std::uint32_t>(data_[position_]) |
                static_cast<std::uint32_t>(data_[position_ + 1]) << 8 |
                static_cast<std::uint32_t>(data_[position_ + 2]) << 16 |
                static_cast<std::uint32_t>(data_[position_ + 3]) << 24;
        position_ += 4;
        return true;
    }

    [[nodiscard]] bool i32le(std::int32_t& value) {
        std::uint32_t raw = 0;
        if (!u32le(raw)) {
            return false;
        }
        value = static_cast<std::int32_t>(raw);
        return true;
    }

    // The next `count` bytes as a span into the data.
    [[nodiscard]] bool bytes(std::uint64_t count, std::span<const std::uint8_t>& out) {
        if (count > remaining()) {
            return false;
        }
        out = data_.subspan(position_, static_cast<std::size_t>(count));
        position_ += static_cast<std::size_t>(count);
        return true;
    }

  private:
    std::span<const std::uint8_t> data_;
    std::size_t position_;
};

}  // namespace pictures
