// JPEG files written with libjpeg's compressor, in the variants the decoder must tell apart.
#pragma once

#include <cstdint>
#include <vector>

#include "tests/pictures/builders/ByteWriter.h"

namespace picturetest {

enum class JpegColours { Rgb, Grey, AdobeCmyk };

struct JpegRecipe {
    int width = 0;
    int height = 0;
    JpegColours colours = JpegColours::Rgb;
    // Per pixel, rows from the top: 0xRRGGBB (Rgb), a grey level (Grey), or 0xCCMMYYKK ink
    // amounts (AdobeCmyk; written inverted, as Adobe's programs do).
    std::vector<std::uint32_t> values;
    bool progressive = false;
    bool arithmetic = false;
    int quality = 95;
};

Bytes jpegFile(const JpegRecipe& recipe);

// The same bytes with the start-of-frame marker changed to `sofMarker` (0xC3: lossless).
Bytes withFrameMarker(Bytes jpeg, std::uint8_t sofMarker);

}  // namespace picturetest
