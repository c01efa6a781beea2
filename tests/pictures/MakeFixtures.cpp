// Writes the small picture files in fixtures/, which the tests read and the fuzzer starts
// from:  make_picture_fixtures tests/pictures/fixtures
#include <cstdio>
#include <fstream>
#include <string>

#include "tests/pictures/builders/DibBuilder.h"
#include "tests/pictures/builders/GifBuilder.h"
#include "tests/pictures/builders/JpegBuilder.h"
#include "tests/pictures/builders/PcxBuilder.h"

namespace {

using namespace picturetest;

std::vector<std::uint32_t> rgbPattern(int width, int height) {
    std::vector<std::uint32_t> values;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            values.push_back(static_cast<std::uint32_t>(x * 255 / width) << 16 |
                             static_cast<std::uint32_t>(y * 255 / height) << 8 |
                             static_cast<std::uint32_t>((x ^ y) * 8 & 0xFF));
        }
    }
    return values;
}

std::vector<std::uint32_t> indexPattern(int width, int height, unsigned colours) {
    std::vector<std::uint32_t> values;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            values.push_back(static_cast<std::uint32_t>(x / 3 + y) % colours);
        }
    }
    return values;
}

std::vector<std::uint32_t> palette(unsigned colours) {
    std::vector<std::uint32_t> entries;
    for (unsigned i = 0; i < colours; ++i) {
        entries.push_back((i * 0x2F1B07u) & 0xFFFFFF);
    }
    return entries;
}

JpegRecipe jpegRecipe(JpegColours colours, bool progressive = false, bool arithmetic = false) {
    JpegRecipe recipe;
    recipe.width = 24;
    recipe.height = 16;
    recipe.colours = colours;
    recipe.values = rgbPattern(24, 16);
    if (colours == JpegColours::Grey) {
        for (std::uint32_t& value : recipe.values) {
            value &= 0xFF;
        }
    }
    recipe.progressive = progressive;
    recipe.arithmetic = arithmetic;
    recipe.quality = 75;
    return recipe;
}

DibRecipe dibRecipe(int width, int height, int bits) {
    DibRecipe recipe;
    recipe.width = width;
    recipe.height = height;
    recipe.bitsPerPixel = bits;
    if (bits <= 8) {
        recipe.palette = palette(1u << bits);
        recipe.values = indexPattern(width, height, 1u << bits);
    } else {
        recipe.values = rgbPattern(width, height);
    }
    return recipe;
}

IconEntry iconEntry(int size, int bits, std::uint8_t colourCount) {
    const DibRecipe recipe = dibRecipe(size, size, bits);
    std::vector<std::uint32_t> mask;
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            mask.push_back((x - size / 2) * (x - size / 2) + (y - size / 2) * (y - size / 2) >
                                   size * size / 4
                               ? 1
                               : 0);
        }
    }
    return {static_cast<std::uint8_t>(size), static_cast<std::uint8_t>(size), colourCount,
            iconImage(recipe, mask)};
}

GifRecipe gifRecipe(bool interlaced, bool animated) {
    GifRecipe recipe;
    recipe.width = 20;
    recipe.height = 12;
    recipe.globalTable = palette(16);
    recipe.blocksBeforeImage = {loopingApplicationExtension(), graphicControlExtension(3),
                                commentExtension("namecard")};
    for (int frame = 0; frame < (animated ? 2 : 1); ++frame) {
        GifImage image;
        image.width = 20;
        image.height = 12;
        image.interlaced = interlaced;
        image.minCodeSize = 4;
        for (std::uint32_t value : indexPattern(20, 12, 16)) {
            image.indexes.push_back(static_cast<std::uint8_t>((value + frame * 5) % 16));
        }
        recipe.images.push_back(image);
    }
    return recipe;
}

PcxRecipe pcxRecipe(int bits) {
    PcxRecipe recipe;
    recipe.version = bits == 1 ? 3 : 5;
    recipe.bitsPerPixel = bits;
    recipe.width = 21;
    recipe.height = 9;
    recipe.palette = palette(256);
    for (std::uint32_t value : indexPattern(21, 9, bits == 1 ? 2 : 256)) {
        recipe.values.push_back(static_cast<std::uint8_t>(value));
    }
    return recipe;
}

bool write(const std::string& folder, const std::string& name, const Bytes& bytes) {
    std::ofstream out(folder + "/" + name, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fputs("usage: make_picture_fixtures FOLDER\n", stderr);
        return 2;
    }
    const std::string folder = argv[1];
    GifRecipe gif87 = gifRecipe(false, false);
    gif87.version = "GIF87a";
    gif87.blocksBeforeImage.clear();
    const bool ok =
        write(folder, "colour.jpg", jpegFile(jpegRecipe(JpegColours::Rgb))) &&
        write(folder, "jpeg-named.bmp", jpegFile(jpegRecipe(JpegColours::Rgb))) &&
        write(folder, "grey.jpg", jpegFile(jpegRecipe(JpegColours::Grey))) &&
        write(folder, "progressive.jpg", jpegFile(jpegRecipe(JpegColours::Rgb, true))) &&
        write(folder, "cmyk.jpg", jpegFile(jpegRecipe(JpegColours::AdobeCmyk))) &&
        write(folder, "arithmetic.jpg", jpegFile(jpegRecipe(JpegColours::Rgb, false, true))) &&
        write(folder, "1bit.bmp", bmpFile(dibRecipe(19, 7, 1))) &&
        write(folder, "4bit.bmp", bmpFile(dibRecipe(11, 7, 4))) &&
        write(folder, "8bit.bmp", bmpFile(dibRecipe(9, 7, 8))) &&
        write(folder, "24bit.bmp", bmpFile(dibRecipe(9, 7, 24))) &&
        write(folder, "32bit.bmp", bmpFile(dibRecipe(9, 7, 32))) &&
        write(folder, "two-entries.ico", iconFile({iconEntry(16, 4, 16), iconEntry(32, 4, 16)})) &&
        write(folder, "true-colour.ico", iconFile({iconEntry(16, 24, 0), iconEntry(8, 32, 0)})) &&
        write(folder, "pointer.cur", iconFile({iconEntry(16, 1, 2)}, 2)) &&
        write(folder, "animated.gif", gifFile(gifRecipe(false, true))) &&
        write(folder, "interlaced.gif", gifFile(gifRecipe(true, false))) &&
        write(folder, "plain87a.gif", gifFile(gif87)) &&
        write(folder, "8bit.pcx", pcxFile(pcxRecipe(8))) &&
        write(folder, "1bit.pcx", pcxFile(pcxRecipe(1)));
    return ok ? 0 : 1;
}
