#include "pictures/decoders/PictureKindDetection.h"

#include <algorithm>
#include <string_view>

namespace pictures {

namespace {

bool startsWith(std::span<const std::uint8_t> head, std::string_view prefix) {
    return head.size() >= prefix.size() &&
           std::equal(prefix.begin(), prefix.end(), head.begin(),
                      [](char a, std::uint8_t b) { return static_cast<std::uint8_t>(a) == b; });
}

// Icons and cursors: a reserved 0, the type (1 icon, 2 cursor), and an image count that
// is not 0.
bool isIconHeader(std::span<const std::uint8_t> head, std::uint8_t type) {
    return head[0] == 0 && head[1] == 0 && head[2] == type && head[3] == 0 &&
           (head[4] != 0 || head[5] != 0);
}

}  // namespace

std::optional<toolkit::PictureKind> detectPictureKind(std::span<const std::uint8_t> head) {
    if (head.size() < kindBytes) {
        return std::nullopt;
    }
    if (head[0] == 0xFF && head[1] == 0xD8) {
        return toolkit::PictureKind::Jpeg;
    }
    if (startsWith(head, "BM")) {
        return toolkit::PictureKind::Bmp;
    }
    if (isIconHeader(head, 1)) {
        return toolkit::PictureKind::Ico;
    }
    if (isIconHeader(head, 2)) {
        return toolkit::PictureKind::Cur;
    }
    if (startsWith(head, "GIF87a") || startsWith(head, "GIF89a")) {
        return toolkit::PictureKind::Gif;
    }
    // PCX: the manufacturer byte 0x0A, a version, run-length encoding 1, bits per pixel.
    // 1-bit pictures are only taken in version 3, as the first PCX readers did.
    if (head[0] == 0x0A && head[1] <= 5 && head[2] == 0x01 && head[3] == 0x08) {
        return toolkit::PictureKind::Pcx8;
    }
    if (head[0] == 0x0A && head[1] == 0x03 && head[2] == 0x01 && head[3] == 0x01) {
        return toolkit::PictureKind::Pcx1;
    }
    return std::nullopt;
}

}  // namespace pictures
