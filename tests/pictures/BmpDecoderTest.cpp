#include <gtest/gtest.h>

#include <ostream>

#include "tests/pictures/PictureChecks.h"
#include "tests/pictures/builders/DibBuilder.h"

namespace {

using pictures::DecodeError;
using namespace picturetest;

// A palette of distinct colours and a picture that uses every index of it.
DibRecipe indexedBmp(int bits, int width, int height) {
    DibRecipe recipe;
    recipe.width = width;
    recipe.height = height;
    recipe.bitsPerPixel = bits;
    const std::uint32_t entries = 1u << bits;
    for (std::uint32_t i = 0; i < entries; ++i) {
        recipe.palette.push_back((0x010203 * i ^ 0x804020) & 0xFFFFFF);
    }
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            recipe.values.push_back(static_cast<std::uint32_t>(x + 3 * y) % entries);
        }
    }
    return recipe;
}

DibRecipe trueColourBmp(int bits, int width, int height) {
    DibRecipe recipe;
    recipe.width = width;
    recipe.height = height;
    recipe.bitsPerPixel = bits;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            recipe.values.push_back(static_cast<std::uint32_t>(x * 40) << 16 |
                                    static_cast<std::uint32_t>(y * 30) << 8 | 0x5A);
        }
    }
    return recipe;
}

// The opaque colour each pixel of `recipe` should decode to.
std::uint32_t expectedPixel(const DibRecipe& recipe, int x, int y) {
    const std::uint32_t value =
        recipe.values[static_cast<std::size_t>(y * magnitude(recipe.width) + x)];
    if (recipe.bitsPerPixel <= 8) {
        return value < recipe.palette.size() ? 0xFF000000u | recipe.palette[value] : 0xFF000000u;
    }
    return 0xFF000000u | (value & 0xFFFFFF);
}

void expectPixelsOf(const DibRecipe& recipe, const toolkit::Picture& picture) {
    ASSERT_EQ(picture.width, magnitude(recipe.width));
    ASSERT_EQ(picture.height, magnitude(recipe.height));
    for (int y = 0; y < picture.height; ++y) {
        for (int x = 0; x < picture.width; ++x) {
            ASSERT_EQ(pixelAt(picture, x, y), expectedPixel(recipe, x, y)) << x << "," << y;
        }
    }
}

struct BmpCase {
    const char* name;
    DibRecipe recipe;
};

// Test names in CTest show the case's name, not its bytes.
void PrintTo(const BmpCase& c, std::ostream* os) {
    *os << c.name;
}

class BmpPixelTest : public testing::TestWithParam<BmpCase> {};

TEST_P(BmpPixelTest, DecodesEveryPixelFromTheBottomRowUp) {
    const DibRecipe& recipe = GetParam().recipe;
    const pictures::DecodeResult result = decode(bmpFile(recipe));
    ASSERT_TRUE(result.picture) << pictures::decodeErrorName(result.error);
    EXPECT_EQ(result.picture->kind, toolkit::PictureKind::Bmp);
    EXPECT_FALSE(result.picture->hasMask);
    expectPixelsOf(recipe, *result.picture);
}

// Widths chosen so that rows need fill bytes at every depth.
INSTANTIATE_TEST_SUITE_P(Depths, BmpPixelTest,
                         testing::Values(BmpCase{"OneBit", indexedBmp(1, 13, 5)},
                                         BmpCase{"FourBit", indexedBmp(4, 7, 4)},
                                         BmpCase{"EightBit", indexedBmp(8, 5, 3)},
                                         BmpCase{"TwentyFourBit", trueColourBmp(24, 5, 3)},
                                         BmpCase{"ThirtyTwoBit", trueColourBmp(32, 3, 4)},
                                         BmpCase{"CardSized", trueColourBmp(24, 300, 140)}),
                         [](const auto& info) { return info.param.name; });

// A negative height marks rows stored top-down: the picture still comes out upright.
TEST(BmpDecoder, TopDownRowsComeOutUpright) {
    DibRecipe upright = trueColourBmp(24, 6, 4);
    DibRecipe flipped = upright;
    flipped.width = -6;
    flipped.height = -4;
    const pictures::DecodeResult result = decode(bmpFile(flipped));
    ASSERT_TRUE(result.picture);
    expectPixelsOf(upright, *result.picture);
}

TEST(BmpDecoder, TrueColourIgnoresColoursUsed) {
    DibRecipe recipe = trueColourBmp(24, 4, 2);
    recipe.coloursUsed = 256;  // no palette follows all the same
    const pictures::DecodeResult result = decode(bmpFile(recipe));
    ASSERT_TRUE(result.picture) << pictures::decodeErrorName(result.error);
    expectPixelsOf(recipe, *result.picture);
}

TEST(BmpDecoder, ColoursUsedSetsThePaletteLengthAndLaterIndexesAreBlack) {
    DibRecipe recipe = indexedBmp(8, 4, 2);
    recipe.coloursUsed = 2;
    recipe.palette.resize(2);
    const pictures::DecodeResult result = decode(bmpFile(recipe));
    ASSERT_TRUE(result.picture) << pictures::decodeErrorName(result.error);
    expectPixelsOf(recipe, *result.picture);
    EXPECT_EQ(pixelAt(*result.picture, 2, 0), 0xFF000000u);
}

TEST(BmpDecoder, SkipsTheGapBeforeTheDataOffset) {
    const DibRecipe recipe = indexedBmp(4, 3, 3);
    const pictures::DecodeResult result = decode(bmpFile(recipe, 54 + 16 * 4 + 10));
    ASSERT_TRUE(result.picture);
    expectPixelsOf(recipe, *result.picture);
}

struct BmpRejection {
    const char* name;
    Bytes bytes;
    DecodeError error;
};

// Test names in CTest show the case's name, not its bytes.
void PrintTo(const BmpRejection& c, std::ostream* os) {
    *os << c.name;
}

Bytes withField(Bytes bytes, std::size_t offset, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) {
        bytes[offset + i] = static_cast<std::uint8_t>(value >> (8 * i));
    }
    return bytes;
}

std::vector<BmpRejection> bmpRejections() {
    DibRecipe sixteenBit = trueColourBmp(24, 4, 4);
    sixteenBit.bitsPerPixel = 16;
    DibRecipe runLength = indexedBmp(8, 4, 4);
    runLength.compression = 1;
    DibRecipe bitFields = trueColourBmp(32, 4, 4);
    bitFields.compression = 3;
    DibRecipe longPalette = indexedBmp(8, 4, 4);
    longPalette.coloursUsed = 100000;
    const Bytes goodEightBit = bmpFile(indexedBmp(8, 4, 4));
    const Bytes goodTrueColour = bmpFile(trueColourBmp(24, 4, 4));
    return {
        {"SixteenBit", bmpFile(sixteenBit), DecodeError::Unsupported},
        {"RunLength", bmpFile(runLength), DecodeError::Unsupported},
        {"BitFields", bmpFile(bitFields), DecodeError::Unsupported},
        {"PaletteBeyondTheData", bmpFile(longPalette), DecodeError::Truncated},
        {"DataOffsetInsideThePalette", withField(goodEightBit, 10, 54 + 255 * 4),
         DecodeError::BadHeader},
        {"ShorterThanTheHeader", cutTo(goodTrueColour, 53), DecodeError::Truncated},
        {"LastRowIncomplete", cutTo(goodTrueColour, goodTrueColour.size() - 1),
         DecodeError::Truncated},
        {"ZeroWidth", withField(goodTrueColour, 18, 0), DecodeError::BadHeader},
        {"HugeSize", withField(withField(goodTrueColour, 18, 60000), 22, 60000),
         DecodeError::TooManyPixels},
        {"MostNegativeSize", withField(withField(goodTrueColour, 18, 0x80000000u), 22, 0x80000000u),
         DecodeError::TooManyPixels},
    };
}

class BmpRejectionTest : public testing::TestWithParam<BmpRejection> {};

TEST_P(BmpRejectionTest, GivesNone) {
    const pictures::DecodeResult result = decode(GetParam().bytes);
    EXPECT_FALSE(result.picture);
    EXPECT_EQ(pictures::decodeErrorName(result.error), pictures::decodeErrorName(GetParam().error));
}

INSTANTIATE_TEST_SUITE_P(Cases, BmpRejectionTest, testing::ValuesIn(bmpRejections()),
                         [](const auto& info) { return info.param.name; });

}  // namespace
