#include <gtest/gtest.h>

#include <ostream>

#include "tests/pictures/PictureChecks.h"
#include "tests/pictures/builders/PcxBuilder.h"

namespace {

using pictures::DecodeError;
using namespace picturetest;

PcxRecipe eightBitPcx(int width, int height) {
    PcxRecipe recipe;
    recipe.width = width;
    recipe.height = height;
    for (std::uint32_t i = 0; i < 256; ++i) {
        recipe.palette.push_back(i * 0x030507 & 0xFFFFFF);
    }
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            // Runs and values above 0xC0, which must be written as runs of one.
            recipe.values.push_back(static_cast<std::uint8_t>(x < width / 2 ? 0xC7 : x * 9 + y));
        }
    }
    return recipe;
}

PcxRecipe oneBitPcx(int width, int height) {
    PcxRecipe recipe;
    recipe.version = 3;
    recipe.bitsPerPixel = 1;
    recipe.width = width;
    recipe.height = height;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            recipe.values.push_back((x * y + x) % 3 == 0 ? 1 : 0);
        }
    }
    return recipe;
}

std::uint32_t expectedPixel(const PcxRecipe& recipe, int x, int y) {
    const std::uint8_t value = recipe.values[static_cast<std::size_t>(y * recipe.width + x)];
    if (recipe.bitsPerPixel == 1) {
        return value ? 0xFFFFFFFFu : 0xFF000000u;
    }
    return 0xFF000000u | recipe.palette[value];
}

struct PcxCase {
    const char* name;
    PcxRecipe recipe;
    toolkit::PictureKind kind;
};

// Test names in CTest show the case's name, not its bytes.
void PrintTo(const PcxCase& c, std::ostream* os) {
    *os << c.name;
}

std::vector<PcxCase> pcxCases() {
    PcxRecipe offsetWindow = eightBitPcx(7, 5);
    offsetWindow.xMin = -3;
    offsetWindow.yMin = 100;
    PcxRecipe paddedLines = eightBitPcx(5, 4);
    paddedLines.bytesPerLine = 9;
    PcxRecipe oneBitPadded = oneBitPcx(13, 6);
    oneBitPadded.bytesPerLine = 4;
    PcxRecipe versionZero = eightBitPcx(4, 4);
    versionZero.version = 0;
    return {
        {"EightBit", eightBitPcx(16, 9), toolkit::PictureKind::Pcx8},
        {"EightBitOffsetWindow", offsetWindow, toolkit::PictureKind::Pcx8},
        {"EightBitLongLines", paddedLines, toolkit::PictureKind::Pcx8},
        {"EightBitVersionZero", versionZero, toolkit::PictureKind::Pcx8},
        {"OneBit", oneBitPcx(13, 6), toolkit::PictureKind::Pcx1},
        {"OneBitLongLines", oneBitPadded, toolkit::PictureKind::Pcx1},
        {"OneBitWide", oneBitPcx(300, 3), toolkit::PictureKind::Pcx1},
    };
}

class PcxPixelTest : public testing::TestWithParam<PcxCase> {};

TEST_P(PcxPixelTest, DecodesEveryPixel) {
    const PcxRecipe& recipe = GetParam().recipe;
    const pictures::DecodeResult result = decode(pcxFile(recipe));
    ASSERT_TRUE(result.picture) << pictures::decodeErrorName(result.error);
    EXPECT_EQ(result.picture->kind, GetParam().kind);
    ASSERT_EQ(result.picture->width, recipe.width);
    ASSERT_EQ(result.picture->height, recipe.height);
    for (int y = 0; y < recipe.height; ++y) {
        for (int x = 0; x < recipe.width; ++x) {
            ASSERT_EQ(pixelAt(*result.picture, x, y), expectedPixel(recipe, x, y)) << x << "," << y;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Variants, PcxPixelTest, testing::ValuesIn(pcxCases()),
                         [](const auto& info) { return info.param.name; });

// A 4 x 2 picture of hand-made run-length data, then the palette.
Bytes handCodedPcx(Bytes data) {
    PcxRecipe recipe = eightBitPcx(4, 2);
    recipe.writePalette = false;
    recipe.bytesPerLine = 4;
    Bytes bytes = pcxFile(recipe);
    bytes.resize(128);
    bytes.insert(bytes.end(), data.begin(), data.end());
    bytes.push_back(0x0C);
    for (int i = 0; i < 256; ++i) {
        bytes.insert(bytes.end(), {static_cast<std::uint8_t>(i), 0, 0});
    }
    return bytes;
}

TEST(PcxDecoder, RunsCrossLineEndsAndC0StandsForItself) {
    // A run of 6 covers the first line and half the second; 0xC0 is a plain value.
    const pictures::DecodeResult result = decode(handCodedPcx({0xC6, 0x11, 0xC0, 0x22}));
    ASSERT_TRUE(result.picture) << pictures::decodeErrorName(result.error);
    const std::vector<std::uint32_t> expected = {0xFF110000, 0xFF110000, 0xFF110000, 0xFF110000,
                                                 0xFF110000, 0xFF110000, 0xFFC00000, 0xFF220000};
    EXPECT_EQ(result.picture->pixels, expected);
}

TEST(PcxDecoder, PaletteAtTheVeryEndAfterAGap) {
    const PcxRecipe recipe = eightBitPcx(6, 3);
    Bytes bytes = pcxFile(recipe);
    bytes.insert(bytes.end() - 769, {0x00, 0x00, 0x00});
    const pictures::DecodeResult result = decode(bytes);
    ASSERT_TRUE(result.picture) << pictures::decodeErrorName(result.error);
    EXPECT_EQ(pixelAt(*result.picture, 5, 2), expectedPixel(recipe, 5, 2));
}

Bytes withU16(Bytes bytes, std::size_t offset, std::uint16_t value) {
    bytes[offset] = value & 0xFF;
    bytes[offset + 1] = value >> 8;
    return bytes;
}

struct PcxRejection {
    const char* name;
    Bytes bytes;
    DecodeError error;
};

// Test names in CTest show the case's name, not its bytes.
void PrintTo(const PcxRejection& c, std::ostream* os) {
    *os << c.name;
}

std::vector<PcxRejection> pcxRejections() {
    const Bytes eightBit = pcxFile(eightBitPcx(8, 8));
    const Bytes oneBit = pcxFile(oneBitPcx(8, 8));
    PcxRecipe noPalette = eightBitPcx(8, 8);
    noPalette.writePalette = false;
    PcxRecipe oneBitVersionFive = oneBitPcx(8, 8);
    oneBitVersionFive.version = 5;
    PcxRecipe fourPlanes = oneBitPcx(8, 8);
    fourPlanes.planes = 4;
    PcxRecipe fourBit = eightBitPcx(8, 8);
    fourBit.bitsPerPixel = 4;
    return {
        {"XmaxBelowXmin", withU16(eightBit, 8, 0xFFFF), DecodeError::BadHeader},
        {"YmaxBelowYmin", withU16(withU16(eightBit, 6, 5), 10, 4), DecodeError::BadHeader},
        {"LinesNarrowerThanTheWidth", withU16(eightBit, 66, 7), DecodeError::BadHeader},
        {"OneBitLinesNarrowerThanTheWidth", withU16(oneBit, 66, 0), DecodeError::BadHeader},
        {"OneBitManyPlanes", pcxFile(fourPlanes), DecodeError::Unsupported},
        {"OneBitVersionFive", pcxFile(oneBitVersionFive), DecodeError::UnknownKind},
        {"FourBit", pcxFile(fourBit), DecodeError::UnknownKind},
        {"NoPalette", pcxFile(noPalette), DecodeError::CorruptData},
        {"PaletteCutShort", cutTo(eightBit, eightBit.size() - 1), DecodeError::CorruptData},
        {"OnlyTheHeader", cutTo(eightBit, 128), DecodeError::Truncated},
        {"LinesCutShort", cutTo(oneBit, oneBit.size() - 1), DecodeError::Truncated},
        {"HugeWindow",
         withU16(withU16(withU16(withU16(eightBit, 4, 0x8000), 6, 0x8000), 8, 0x7FFF), 10, 0x7FFF),
         DecodeError::TooManyPixels},
        {"LargeWindowOfTinyData", withU16(withU16(withU16(eightBit, 8, 9999), 10, 9999), 66, 10000),
         DecodeError::Truncated},
    };
}

class PcxRejectionTest : public testing::TestWithParam<PcxRejection> {};

TEST_P(PcxRejectionTest, GivesNone) {
    const pictures::DecodeResult result = decode(GetParam().bytes);
    EXPECT_FALSE(result.picture);
    EXPECT_EQ(pictures::decodeErrorName(result.error), pictures::decodeErrorName(GetParam().error));
}

INSTANTIATE_TEST_SUITE_P(Cases, PcxRejectionTest, testing::ValuesIn(pcxRejections()),
                         [](const auto& info) { return info.param.name; });

}  // namespace
