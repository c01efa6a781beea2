#include <gtest/gtest.h>

#include <ostream>

#include "tests/pictures/PictureChecks.h"
#include "tests/pictures/builders/JpegBuilder.h"

namespace {

using pictures::DecodeError;
using namespace picturetest;

// Four flat 16 x 16 quadrants, which JPEG keeps within a few levels even at 4:2:0.
JpegRecipe quadrants(JpegColours colours, std::uint32_t topLeft, std::uint32_t topRight,
                     std::uint32_t bottomLeft, std::uint32_t bottomRight) {
    JpegRecipe recipe;
    recipe.width = 32;
    recipe.height = 32;
    recipe.colours = colours;
    for (int y = 0; y < 32; ++y) {
        for (int x = 0; x < 32; ++x) {
            recipe.values.push_back(y < 16 ? (x < 16 ? topLeft : topRight)
                                           : (x < 16 ? bottomLeft : bottomRight));
        }
    }
    return recipe;
}

// The colour at the centre of each quadrant, in the order the quadrants were given.
void expectQuadrants(const toolkit::Picture& picture, const std::vector<std::uint32_t>& expected) {
    const int centres[][2] = {{8, 8}, {24, 8}, {8, 24}, {24, 24}};
    for (std::size_t i = 0; i < expected.size(); ++i) {
        const std::uint32_t pixel = pixelAt(picture, centres[i][0], centres[i][1]);
        EXPECT_LE(channelDistance(pixel, expected[i]), 6)
            << "quadrant " << i << std::hex << ": got " << pixel << ", want " << expected[i];
    }
}

const JpegRecipe colourQuadrants =
    quadrants(JpegColours::Rgb, 0xFF0000, 0x00FF00, 0x0000FF, 0xFFFF80);
const std::vector<std::uint32_t> colourExpected = {0xFFFF0000, 0xFF00FF00, 0xFF0000FF, 0xFFFFFF80};

struct JpegCase {
    const char* name;
    JpegRecipe recipe;
    std::vector<std::uint32_t> expected;
};

// Test names in CTest show the case's name, not its bytes.
void PrintTo(const JpegCase& c, std::ostream* os) {
    *os << c.name;
}

std::vector<JpegCase> jpegCases() {
    JpegRecipe progressive = colourQuadrants;
    progressive.progressive = true;
    return {
        {"Baseline", colourQuadrants, colourExpected},
        {"Progressive", progressive, colourExpected},
        {"GreyGivesGreyPixels",
         quadrants(JpegColours::Grey, 0, 64, 160, 255),
         {0xFF000000, 0xFF404040, 0xFFA0A0A0, 0xFFFFFFFF}},
        // Ink amounts 0xCCMMYYKK: cyan, magenta and yellow, full black, no ink at all.
        {"AdobeCmyk",
         quadrants(JpegColours::AdobeCmyk, 0xFF000000, 0x00FFFF00, 0x000000FF, 0),
         {0xFF00FFFF, 0xFFFF0000, 0xFF000000, 0xFFFFFFFF}},
    };
}

class JpegColourTest : public testing::TestWithParam<JpegCase> {};

TEST_P(JpegColourTest, DecodesAtFullSizeWithTheRightColours) {
    const pictures::DecodeResult result = decode(jpegFile(GetParam().recipe));
    ASSERT_TRUE(result.picture) << pictures::decodeErrorName(result.error);
    EXPECT_EQ(result.picture->kind, toolkit::PictureKind::Jpeg);
    EXPECT_FALSE(result.picture->hasMask);
    ASSERT_EQ(result.picture->width, 32);
    ASSERT_EQ(result.picture->height, 32);
    expectQuadrants(*result.picture, GetParam().expected);
    for (std::uint32_t pixel : result.picture->pixels) {
        ASSERT_EQ(pixel >> 24, 0xFFu);
    }
}

INSTANTIATE_TEST_SUITE_P(Variants, JpegColourTest, testing::ValuesIn(jpegCases()),
                         [](const auto& info) { return info.param.name; });

TEST(JpegDecoder, GreyPixelsHaveEqualChannels) {
    JpegRecipe recipe;
    recipe.width = 40;
    recipe.height = 24;
    recipe.colours = JpegColours::Grey;
    for (int i = 0; i < 40 * 24; ++i) {
        recipe.values.push_back(static_cast<std::uint32_t>(i * 7 % 256));
    }
    const pictures::DecodeResult result = decode(jpegFile(recipe));
    ASSERT_TRUE(result.picture);
    for (std::uint32_t pixel : result.picture->pixels) {
        ASSERT_EQ(pixel & 0xFF, pixel >> 8 & 0xFF);
        ASSERT_EQ(pixel & 0xFF, pixel >> 16 & 0xFF);
    }
}

TEST(JpegDecoder, RejectsArithmeticCoding) {
    for (bool progressive : {false, true}) {
        JpegRecipe recipe = colourQuadrants;
        recipe.arithmetic = true;
        recipe.progressive = progressive;
        const pictures::DecodeResult result = decode(jpegFile(recipe));
        EXPECT_FALSE(result.picture);
        EXPECT_EQ(result.error, DecodeError::Unsupported) << progressive;
    }
}

TEST(JpegDecoder, RejectsLosslessAndHierarchicalFrames) {
    for (std::uint8_t marker : {0xC3, 0xC5, 0xC7}) {
        const pictures::DecodeResult result =
            decode(withFrameMarker(jpegFile(colourQuadrants), marker));
        EXPECT_FALSE(result.picture);
        EXPECT_EQ(result.error, DecodeError::Unsupported) << std::hex << int{marker};
    }
}

// Noise, so that the scan data fill most of the file and a cut lands inside them.
JpegRecipe noise(int width, int height, bool progressive) {
    JpegRecipe recipe;
    recipe.width = width;
    recipe.height = height;
    recipe.progressive = progressive;
    std::uint32_t state = 99;
    for (int i = 0; i < width * height; ++i) {
        state = state * 1664525 + 1013904223;
        recipe.values.push_back(state >> 8);
    }
    return recipe;
}

class JpegCutShortTest : public testing::TestWithParam<bool> {};

TEST_P(JpegCutShortTest, KeepsItsFullSizeAndItsDecodedPart) {
    const JpegRecipe recipe = noise(64, 48, GetParam());
    const Bytes whole = jpegFile(recipe);
    const pictures::DecodeResult full = decode(whole);
    ASSERT_TRUE(full.picture);
    for (double fraction : {0.5, 0.8, 0.99}) {
        const Bytes cut = cutTo(whole, static_cast<std::size_t>(whole.size() * fraction));
        const pictures::DecodeResult result = decode(cut);
        ASSERT_TRUE(result.picture) << fraction << " " << pictures::decodeErrorName(result.error);
        EXPECT_EQ(result.picture->width, 64);
        EXPECT_EQ(result.picture->height, 48);
        if (!GetParam()) {
            // Sequential data decode from the top: the first rows are already final.
            EXPECT_EQ(result.picture->pixels[0], full.picture->pixels[0]);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(SequentialAndProgressive, JpegCutShortTest, testing::Bool());

TEST(JpegDecoder, CutInsideTheHeaderGivesNone) {
    const Bytes whole = jpegFile(colourQuadrants);
    for (std::size_t size : {std::size_t{6}, std::size_t{40}, std::size_t{200}}) {
        const pictures::DecodeResult result = decode(cutTo(whole, size));
        EXPECT_FALSE(result.picture) << size;
        EXPECT_EQ(result.error, DecodeError::JpegError) << size;
    }
}

TEST(JpegDecoder, HugeFrameIsRefusedBeforeDecoding) {
    Bytes bytes = jpegFile(colourQuadrants);
    for (std::size_t i = 2; i + 8 < bytes.size(); ++i) {
        if (bytes[i] == 0xFF && bytes[i + 1] == 0xC0) {
            // Height and width, 20000 each: 16 bits each after the length and the precision.
            bytes[i + 5] = 0x4E;
            bytes[i + 6] = 0x20;
            bytes[i + 7] = 0x4E;
            bytes[i + 8] = 0x20;
            break;
        }
    }
    EXPECT_EQ(decode(bytes).error, DecodeError::TooManyPixels);
}

}  // namespace
