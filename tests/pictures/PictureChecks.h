// Small helpers for looking at decoded pictures in tests.
#pragma once

#include <cstdint>
#include <cstdlib>
#include <span>

#include "pictures/decoders/LoadPicture.h"
#include "tests/pictures/builders/ByteWriter.h"

namespace picturetest {

inline std::uint32_t pixelAt(const toolkit::Picture& picture, int x, int y) {
    return picture.pixels.at(static_cast<std::size_t>(y) * picture.width + x);
}

inline pictures::DecodeResult decode(const Bytes& bytes) {
    return pictures::decodeBytes(std::span<const std::uint8_t>(bytes));
}

// The largest difference of one channel between two 0xAARRGGBB pixels.
inline int channelDistance(std::uint32_t a, std::uint32_t b) {
    int largest = 0;
    for (int shift = 0; shift < 32; shift += 8) {
        const int difference =
            std::abs(static_cast<int>(a >> shift & 0xFF) - static_cast<int>(b >> shift & 0xFF));
        largest = difference > largest ? difference : largest;
    }
    return largest;
}

inline Bytes cutTo(const Bytes& bytes, std::size_t size) {
    return Bytes(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(size));
}

}  // namespace picturetest
