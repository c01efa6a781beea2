// Appending little-endian fields to a byte buffer.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace pictures_gen {

using Bytes = std::vector<std::uint8_t>;

inline void put8(Bytes& out, unsigned v) {
    out.push_back(std::uint8_t(v));
}

inline void put16(Bytes& out, unsigned v) {
    put8(out, v & 0xFF);
    put8(out, (v >> 8) & 0xFF);
}

inline void put32(Bytes& out, std::uint32_t v) {
    put16(out, v & 0xFFFF);
    put16(out, v >> 16);
}

inline void putText(Bytes& out, std::string_view text) {
    out.insert(out.end(), text.begin(), text.end());
}

bool writeFile(const std::string& path, const Bytes& bytes);

}  // namespace pictures_gen
