#include "pictures/decoders/PictureSize.h"

namespace pictures {

namespace {

constexpr std::uint64_t productLimit = std::uint64_t{1} << 62;

}  // namespace

std::optional<std::uint64_t> checkedProduct(std::uint64_t a, std::uint64_t b, std::uint64_t c) {
    std::uint64_t ab = 0;
    std::uint64_t abc = 0;
    if (__builtin_mul_overflow(a, b, &ab) || __builtin_mul_overflow(ab, c, &abc) ||
        abc > productLimit) {
        return std::nullopt;
    }
    return abc;
}

std::optional<std::uint64_t> paddedRowBytes(std::uint64_t width, std::uint64_t bitsPerPixel) {
    const std::optional<std::uint64_t> bits = checkedProduct(width, bitsPerPixel);
    if (!bits) {
        return std::nullopt;
    }
    return (*bits + 31) / 32 * 4;
}

DecodeError checkPictureSize(std::int64_t width, std::int64_t height) {
    if (width < 1 || height < 1) {
        return DecodeError::BadHeader;
    }
    const std::optional<std::uint64_t> pixels =
        checkedProduct(static_cast<std::uint64_t>(width), static_cast<std::uint64_t>(height));
    if (!pixels || *pixels > maxPicturePixels) {
        return DecodeError::TooManyPixels;
    }
    return DecodeError::Ok;
}

std::optional<toolkit::Picture> allocatePicture(toolkit::PictureKind kind, std::int64_t width,
                                                std::int64_t height, std::uint32_t fill) {
    if (checkPictureSize(width, height) != DecodeError::Ok) {
        return std::nullopt;
    }
    toolkit::Picture picture;
    picture.kind = kind;
    picture.width = static_cast<int>(width);
    picture.height = static_cast<int>(height);
    picture.pixels.assign(
        static_cast<std::size_t>(
            *checkedProduct(static_cast<std::uint64_t>(width), static_cast<std::uint64_t>(height))),
        fill);
    return picture;
}

}  // namespace pictures
