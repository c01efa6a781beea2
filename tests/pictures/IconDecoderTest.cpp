#include <gtest/gtest.h>

#include <ostream>

#include "tests/pictures/PictureChecks.h"
#include "tests/pictures/builders/DibBuilder.h"

namespace {

using pictures::DecodeError;
using namespace picturetest;

// An icon image whose pixel values and mask follow a pattern; every third pixel is masked.
struct IconImageRecipe {
    DibRecipe dib;
    std::vector<std::uint32_t> mask;
};

IconImageRecipe iconImageRecipe(int size, int bits) {
    IconImageRecipe recipe;
    recipe.dib.width = size;
    recipe.dib.height = size;
    recipe.dib.bitsPerPixel = bits;
    if (bits <= 8) {
        for (std::uint32_t i = 0; i < (1u << bits); ++i) {
            recipe.dib.palette.push_back(i * 0x010305 & 0xFFFFFF);
        }
    }
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            const auto value = static_cast<std::uint32_t>(x * 5 + y * 11);
            recipe.dib.values.push_back(bits <= 8 ? value % (1u << bits)
                                                  : value * 0x010203 & 0xFFFFFF);
            recipe.mask.push_back((x + y) % 3 == 0 ? 1 : 0);
        }
    }
    return recipe;
}

IconEntry entryOf(const IconImageRecipe& recipe, std::uint8_t colourCount) {
    IconEntry entry;
    entry.widthByte = static_cast<std::uint8_t>(recipe.dib.width);
    entry.heightByte = static_cast<std::uint8_t>(recipe.dib.height);
    entry.colourCount = colourCount;
    entry.image = iconImage(recipe.dib, recipe.mask);
    return entry;
}

void expectIconPixels(const IconImageRecipe& recipe, const toolkit::Picture& picture) {
    ASSERT_EQ(picture.width, recipe.dib.width);
    ASSERT_EQ(picture.height, recipe.dib.height);
    EXPECT_TRUE(picture.hasMask);
    for (int y = 0; y < picture.height; ++y) {
        for (int x = 0; x < picture.width; ++x) {
            const std::size_t i = static_cast<std::size_t>(y * picture.width + x);
            const std::uint32_t value = recipe.dib.values[i];
            const std::uint32_t rgb =
                recipe.dib.bitsPerPixel <= 8 ? recipe.dib.palette[value] : value;
            const std::uint32_t alpha = recipe.mask[i] ? 0 : 0xFF;
            ASSERT_EQ(pixelAt(picture, x, y), (alpha << 24 | rgb)) << x << "," << y;
        }
    }
}

class IconDepthTest : public testing::TestWithParam<int> {};

TEST_P(IconDepthTest, DecodesColoursAndMask) {
    const IconImageRecipe recipe = iconImageRecipe(16, GetParam());
    const pictures::DecodeResult result = decode(iconFile({entryOf(recipe, 0)}));
    ASSERT_TRUE(result.picture) << pictures::decodeErrorName(result.error);
    EXPECT_EQ(result.picture->kind, toolkit::PictureKind::Ico);
    expectIconPixels(recipe, *result.picture);
}

INSTANTIATE_TEST_SUITE_P(Depths, IconDepthTest, testing::Values(1, 4, 8, 24, 32));

TEST(IconDecoder, CursorIsItsOwnKind) {
    const IconImageRecipe recipe = iconImageRecipe(32, 1);
    const pictures::DecodeResult result = decode(iconFile({entryOf(recipe, 2)}, 2));
    ASSERT_TRUE(result.picture) << pictures::decodeErrorName(result.error);
    EXPECT_EQ(result.picture->kind, toolkit::PictureKind::Cur);
    expectIconPixels(recipe, *result.picture);
}

TEST(IconDecoder, ThirtyTwoBitAlphaChannelReplacesTheMask) {
    IconImageRecipe recipe = iconImageRecipe(4, 32);
    for (std::size_t i = 0; i < recipe.dib.values.size(); ++i) {
        recipe.dib.values[i] |= static_cast<std::uint32_t>(i * 16) << 24;
    }
    const pictures::DecodeResult result = decode(iconFile({entryOf(recipe, 0)}));
    ASSERT_TRUE(result.picture) << pictures::decodeErrorName(result.error);
    for (std::size_t i = 0; i < recipe.dib.values.size(); ++i) {
        EXPECT_EQ(result.picture->pixels[i], recipe.dib.values[i]) << i;
    }
}

struct EntryChoice {
    const char* name;
    std::vector<std::pair<int, std::uint8_t>> entries;  // size and colour-count byte
    std::size_t chosen;
};

// Test names in CTest show the case's name, not its bytes.
void PrintTo(const EntryChoice& c, std::ostream* os) {
    *os << c.name;
}

class IconEntryChoiceTest : public testing::TestWithParam<EntryChoice> {};

TEST_P(IconEntryChoiceTest, PicksTheExpectedEntry) {
    std::vector<IconEntry> entries;
    std::vector<IconImageRecipe> recipes;
    for (auto [size, colours] : GetParam().entries) {
        recipes.push_back(iconImageRecipe(size, 4));
        entries.push_back(entryOf(recipes.back(), colours));
    }
    const pictures::DecodeResult result = decode(iconFile(entries));
    ASSERT_TRUE(result.picture) << pictures::decodeErrorName(result.error);
    expectIconPixels(recipes[GetParam().chosen], *result.picture);
}

INSTANTIATE_TEST_SUITE_P(
    Directory, IconEntryChoiceTest,
    testing::Values(EntryChoice{"SixteenColourThirtyTwoAfterSixteen", {{16, 16}, {32, 16}}, 1},
                    EntryChoice{"AllColourCountsZeroGiveTheLast", {{32, 0}, {16, 0}, {48, 0}}, 2},
                    EntryChoice{"FirstMatchWins", {{32, 255}, {32, 16}, {16, 16}}, 0},
                    EntryChoice{"TooFewColoursDoNotMatch", {{32, 8}, {16, 16}}, 1},
                    EntryChoice{"OnlyWidthThirtyTwoMatches", {{48, 16}, {32, 200}, {16, 0}}, 1}),
    [](const auto& info) { return info.param.name; });

Bytes withU32(Bytes bytes, std::size_t offset, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) {
        bytes[offset + i] = static_cast<std::uint8_t>(value >> (8 * i));
    }
    return bytes;
}

struct IconRejection {
    const char* name;
    Bytes bytes;
    DecodeError error;
};

// Test names in CTest show the case's name, not its bytes.
void PrintTo(const IconRejection& c, std::ostream* os) {
    *os << c.name;
}

std::vector<IconRejection> iconRejections() {
    const IconImageRecipe recipe = iconImageRecipe(16, 8);
    const Bytes good = iconFile({entryOf(recipe, 0)});
    IconEntry png;
    png.widthByte = 16;
    png.image = ByteWriter().bytes({0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A}).zeros(60).take();
    IconImageRecipe sixteenBit = iconImageRecipe(16, 24);
    sixteenBit.dib.bitsPerPixel = 16;
    IconEntry noMask = entryOf(iconImageRecipe(16, 24), 0);
    noMask.image.resize(noMask.image.size() - 16 * 4);
    const std::size_t imageStart = 6 + 16;
    return {
        {"PngImage", iconFile({png}), DecodeError::Unsupported},
        {"SixteenBit", iconFile({entryOf(sixteenBit, 0)}), DecodeError::Unsupported},
        {"Compressed", withU32(good, imageStart + 16, 1), DecodeError::Unsupported},
        {"MaskMissing", iconFile({noMask}), DecodeError::Truncated},
        {"ImageBeyondTheData", withU32(good, 6 + 12, 0xFFFFFF00u), DecodeError::Truncated},
        {"ImageSizeBeyondTheData", withU32(good, 6 + 8, 0x7FFFFFFFu), DecodeError::Truncated},
        {"DirectoryCutShort", cutTo(good, 14), DecodeError::Truncated},
        {"ImageCutShort", cutTo(good, good.size() - 1), DecodeError::Truncated},
        {"ZeroWidth", withU32(good, imageStart + 4, 0), DecodeError::BadHeader},
        {"HeightOfOne", withU32(good, imageStart + 8, 1), DecodeError::BadHeader},
        {"NegativeHeight", withU32(good, imageStart + 8, static_cast<std::uint32_t>(-32)),
         DecodeError::BadHeader},
        {"HugeSize", withU32(withU32(good, imageStart + 4, 60000), imageStart + 8, 120000),
         DecodeError::TooManyPixels},
        {"ShortInfoHeader", withU32(good, imageStart, 12), DecodeError::BadHeader},
    };
}

class IconRejectionTest : public testing::TestWithParam<IconRejection> {};

TEST_P(IconRejectionTest, GivesNone) {
    const pictures::DecodeResult result = decode(GetParam().bytes);
    EXPECT_FALSE(result.picture);
    EXPECT_EQ(pictures::decodeErrorName(result.error), pictures::decodeErrorName(GetParam().error));
}

INSTANTIATE_TEST_SUITE_P(Cases, IconRejectionTest, testing::ValuesIn(iconRejections()),
                         [](const auto& info) { return info.param.name; });

}  // namespace
