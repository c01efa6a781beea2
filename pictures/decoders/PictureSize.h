// The one place where sizes taken from headers are multiplied. Every width * height * channels
// product goes through here, checked for overflow, and pictures are only allocated after
// their size passed the pixel cap.
#pragma once

#include <cstdint>
#include <optional>

#include "pictures/decoders/DecodeError.h"
#include "toolkit/Picture.h"

namespace pictures {

// No picture larger than this is ever allocated (400 MB of pixels).
inline constexpr std::uint64_t maxPicturePixels = 100'000'000;

// a * b * c, or none when the product does not fit in 62 bits.
std::optional<std::uint64_t> checkedProduct(std::uint64_t a, std::uint64_t b, std::uint64_t c = 1);

// Bytes in one row of `width` pixels of `bitsPerPixel` bits, padded to a multiple of 4 bytes
// as BMP and icon rows are; none on overflow.
std::optional<std::uint64_t> paddedRowBytes(std::uint64_t width, std::uint64_t bitsPerPixel);

// Ok when a picture of width x height may be made: both at least 1 (BadHeader), at most
// maxPicturePixels in all (TooManyPixels).
DecodeError checkPictureSize(std::int64_t width, std::int64_t height);

// A picture of the checked size with every pixel set to `fill`; none when the size did not
// pass checkPictureSize (a bug of the caller).
std::optional<toolkit::Picture> allocatePicture(toolkit::PictureKind kind, std::int64_t width,
                                                std::int64_t height,
                                                std::uint32_t fill = 0xFF000000u);

}  // namespace pictures
