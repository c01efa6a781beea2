// A GIF89a writer: global colour table, optional looping and per-image control blocks.
#pragma once

#include <optional>
#include <vector>

#include "ByteWriter.h"
#include "Palette.h"

namespace pictures_gen {

struct GifControl {
    int disposal = 0;
    int delay = 0;  // hundredths of a second
    int transparentIndex = -1;
};

struct GifImage {
    Box box;  // where the image lies on the logical screen
    std::vector<std::uint8_t> indices;
    std::optional<GifControl> control;  // written as a graphic control extension first
};

struct GifFile {
    int width = 0;
    int height = 0;
    Palette palette{};
    bool loopForever = false;  // the NETSCAPE2.0 application extension
    std::vector<GifImage> images;
};

// The LZW data of one image, as GIF packs it: codes from 9 up to 12 bits, least significant
// bit first, with a clear code each time the table fills.
Bytes compressLzw(const std::vector<std::uint8_t>& indices);

Bytes encodeGif(const GifFile& gif);

}  // namespace pictures_gen
