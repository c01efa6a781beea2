// A decoded picture, ready to be drawn on a DrawPanel.
//
// Plain C++ on purpose: the decoders that make pictures use no Qt, and the drawing surface
// wraps the pixels without copying them.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

namespace toolkit {

enum class PictureKind { Jpeg, Bmp, Ico, Cur, Gif, Pcx8, Pcx1 };

// The name the command line prints for a kind: JPEG, BMP, ICO, CUR, GIF, PCX8, PCX1.
std::string_view pictureKindName(PictureKind kind);

struct Picture {
    PictureKind kind = PictureKind::Bmp;
    int width = 0;
    int height = 0;
    // width * height pixels, rows from the top, each 0xAARRGGBB. Alpha is 0xFF everywhere
    // unless hasMask is set (icons and cursors): then 0x00 marks the pixels the mask makes
    // transparent, and a 32-bit icon's own alpha channel may give values in between.
    std::vector<std::uint32_t> pixels;
    bool hasMask = false;
};

}  // namespace toolkit
