#include <gtest/gtest.h>

#include <ostream>

#include "tests/pictures/PictureChecks.h"
#include "tests/pictures/builders/GifBuilder.h"

namespace {

using pictures::DecodeError;
using namespace picturetest;

std::vector<std::uint32_t> rampTable(std::size_t entries) {
    std::vector<std::uint32_t> table;
    for (std::size_t i = 0; i < entries; ++i) {
        table.push_back(static_cast<std::uint32_t>(i * 0x010101) ^ 0x3C0000);
    }
    return table;
}

GifImage patternImage(std::uint16_t width, std::uint16_t height, unsigned colours, unsigned seed) {
    GifImage image;
    image.width = width;
    image.height = height;
    for (unsigned y = 0; y < height; ++y) {
        for (unsigned x = 0; x < width; ++x) {
            image.indexes.push_back(static_cast<std::uint8_t>((x * 7 + y * 3 + seed) % colours));
        }
    }
    return image;
}

// Noise that keeps the code table filling up, so that 12-bit codes and clear codes occur.
GifImage noiseImage(std::uint16_t width, std::uint16_t height) {
    GifImage image;
    image.width = width;
    image.height = height;
    std::uint32_t state = 12345;
    for (unsigned i = 0; i < unsigned{width} * height; ++i) {
        state = state * 1103515245 + 12345;
        image.indexes.push_back(static_cast<std::uint8_t>(state >> 24));
    }
    return image;
}

void expectImageAtTopLeft(const toolkit::Picture& picture, const GifImage& image,
                          const std::vector<std::uint32_t>& table) {
    for (int y = 0; y < image.height; ++y) {
        for (int x = 0; x < image.width; ++x) {
            const std::uint8_t index = image.indexes[static_cast<std::size_t>(y * image.width + x)];
            ASSERT_EQ(pixelAt(picture, x, y), 0xFF000000u | table[index]) << x << "," << y;
        }
    }
}

GifRecipe oneImageGif(GifImage image, std::size_t tableEntries = 256) {
    GifRecipe recipe;
    recipe.width = image.width;
    recipe.height = image.height;
    recipe.globalTable = rampTable(tableEntries);
    recipe.images.push_back(std::move(image));
    return recipe;
}

struct GifCase {
    const char* name;
    GifRecipe recipe;
};

// Test names in CTest show the case's name, not its bytes.
void PrintTo(const GifCase& c, std::ostream* os) {
    *os << c.name;
}

std::vector<GifCase> gifCases() {
    GifRecipe gif87 = oneImageGif(patternImage(9, 7, 16, 0), 16);
    gif87.version = "GIF87a";
    GifRecipe interlaced = oneImageGif(patternImage(5, 13, 16, 1), 16);
    interlaced.images[0].interlaced = true;
    GifRecipe twoBitCodes = oneImageGif(patternImage(6, 6, 4, 2), 4);
    twoBitCodes.images[0].minCodeSize = 2;
    GifRecipe localTable = oneImageGif(patternImage(8, 3, 8, 3), 2);
    localTable.images[0].localTable = rampTable(8);
    std::reverse(localTable.images[0].localTable.begin(), localTable.images[0].localTable.end());
    GifRecipe extensions = oneImageGif(patternImage(4, 4, 16, 4), 16);
    extensions.blocksBeforeImage = {loopingApplicationExtension(), commentExtension("hello"),
                                    Bytes{0x21, 0x01, 3, 'a', 'b', 'c', 0},
                                    graphicControlExtension(5)};
    return {
        {"Gif89a", oneImageGif(patternImage(10, 4, 256, 5))},
        {"Gif87a", gif87},
        {"InterlacedRowsInPlace", interlaced},
        {"TwoBitCodes", twoBitCodes},
        {"LocalTable", localTable},
        {"ExtensionsSkippedAndTransparentColourShown", extensions},
        {"FullCodeTable", oneImageGif(noiseImage(300, 140))},
    };
}

class GifPixelTest : public testing::TestWithParam<GifCase> {};

TEST_P(GifPixelTest, DecodesTheFirstImage) {
    const GifRecipe& recipe = GetParam().recipe;
    const pictures::DecodeResult result = decode(gifFile(recipe));
    ASSERT_TRUE(result.picture) << pictures::decodeErrorName(result.error);
    EXPECT_EQ(result.picture->kind, toolkit::PictureKind::Gif);
    EXPECT_FALSE(result.picture->hasMask);
    ASSERT_EQ(result.picture->width, recipe.width);
    ASSERT_EQ(result.picture->height, recipe.height);
    const GifImage& image = recipe.images[0];
    expectImageAtTopLeft(*result.picture, image,
                         image.localTable.empty() ? recipe.globalTable : image.localTable);
}

INSTANTIATE_TEST_SUITE_P(Variants, GifPixelTest, testing::ValuesIn(gifCases()),
                         [](const auto& info) { return info.param.name; });

TEST(GifDecoder, AnimationGivesItsFirstFrameAtScreenSize) {
    GifRecipe recipe;
    recipe.width = 20;
    recipe.height = 12;
    recipe.globalTable = rampTable(16);
    recipe.blocksBeforeImage = {loopingApplicationExtension(), graphicControlExtension(0)};
    recipe.images = {patternImage(20, 12, 16, 0), patternImage(20, 12, 16, 9)};
    recipe.images[1].left = 0;
    const pictures::DecodeResult result = decode(gifFile(recipe));
    ASSERT_TRUE(result.picture) << pictures::decodeErrorName(result.error);
    EXPECT_EQ(result.picture->width, 20);
    EXPECT_EQ(result.picture->height, 12);
    expectImageAtTopLeft(*result.picture, recipe.images[0], recipe.globalTable);
}

TEST(GifDecoder, SmallImageSitsTopLeftOnTheBackgroundColour) {
    GifRecipe recipe;
    recipe.width = 10;
    recipe.height = 8;
    recipe.globalTable = rampTable(16);
    recipe.backgroundIndex = 9;
    recipe.images = {patternImage(4, 3, 8, 0)};
    recipe.images[0].left = 5;  // placement is not applied
    recipe.images[0].top = 4;
    const pictures::DecodeResult result = decode(gifFile(recipe));
    ASSERT_TRUE(result.picture) << pictures::decodeErrorName(result.error);
    expectImageAtTopLeft(*result.picture, recipe.images[0], recipe.globalTable);
    EXPECT_EQ(pixelAt(*result.picture, 4, 0), 0xFF000000u | recipe.globalTable[9]);
    EXPECT_EQ(pixelAt(*result.picture, 9, 7), 0xFF000000u | recipe.globalTable[9]);
}

TEST(GifDecoder, ImageWiderThanTheScreenIsCutOff) {
    GifRecipe recipe;
    recipe.width = 3;
    recipe.height = 2;
    recipe.globalTable = rampTable(16);
    recipe.images = {patternImage(7, 5, 16, 0)};
    const pictures::DecodeResult result = decode(gifFile(recipe));
    ASSERT_TRUE(result.picture) << pictures::decodeErrorName(result.error);
    ASSERT_EQ(result.picture->pixels.size(), 6u);
    EXPECT_EQ(pixelAt(*result.picture, 2, 1),
              0xFF000000u | recipe.globalTable[recipe.images[0].indexes[7 + 2]]);
}

// Image data from hand-made codes of 3 bits (minimum code size 2: clear 4, end 5).
Bytes gifWithCodes(std::initializer_list<unsigned> codes, std::uint16_t width = 2,
                   std::uint16_t height = 2) {
    LzwBitWriter writer;
    for (unsigned code : codes) {
        writer.put(code, 3);
    }
    ByteWriter out;
    out.text("GIF89a").u16(width).u16(height).u8(0x81).u8(0).u8(0).zeros(12);
    out.u8(0x2C).u16(0).u16(0).u16(width).u16(height).u8(0).u8(2);
    writeSubBlocks(out, writer.finish());
    out.u8(0x3B);
    return out.take();
}

Bytes withScreen(Bytes gif, std::uint16_t width, std::uint16_t height) {
    gif[6] = width & 0xFF;
    gif[7] = width >> 8;
    gif[8] = height & 0xFF;
    gif[9] = height >> 8;
    return gif;
}

struct GifRejection {
    const char* name;
    Bytes bytes;
    DecodeError error;
};

// Test names in CTest show the case's name, not its bytes.
void PrintTo(const GifRejection& c, std::ostream* os) {
    *os << c.name;
}

std::vector<GifRejection> gifRejections() {
    const Bytes good = gifFile(oneImageGif(patternImage(6, 5, 16, 0), 16));
    const std::size_t blocksStart = 13 + 16 * 3;
    auto withBlocksBefore = [&](const Bytes& blocks) {
        ByteWriter out;
        out.bytes(cutTo(good, blocksStart)).bytes(blocks);
        out.bytes(Bytes(good.begin() + static_cast<std::ptrdiff_t>(blocksStart), good.end()));
        return out.take();
    };
    Bytes noGlobalTableEnd = cutTo(good, blocksStart);
    return {
        {"ValidCodesForReference", gifWithCodes({4, 1, 2, 6, 5}), DecodeError::Ok},
        {"CodePastTheNextFreeEntry", gifWithCodes({4, 1, 7, 5}), DecodeError::CorruptData},
        {"FirstCodeNotALiteral", gifWithCodes({4, 6, 5}), DecodeError::CorruptData},
        {"EndCodeBeforeTheLastPixel", gifWithCodes({4, 1, 2, 5}), DecodeError::Truncated},
        {"UnknownExtensionLabel", withBlocksBefore(Bytes{0x21, 0x99, 0}), DecodeError::CorruptData},
        {"TrailerBeforeTheImage", withBlocksBefore(Bytes{0x3B}), DecodeError::NoImage},
        {"ZeroBeforeTheImage", withBlocksBefore(Bytes{0x00}), DecodeError::NoImage},
        {"StrayByteBeforeTheImage", withBlocksBefore(Bytes{0x42}), DecodeError::CorruptData},
        {"ExtensionRunsPastTheEnd",
         cutTo(withBlocksBefore(commentExtension("abcdef")), blocksStart + 5),
         DecodeError::Truncated},
        {"GlobalTableEndsWithTheData", noGlobalTableEnd, DecodeError::Truncated},
        {"ThirteenBytes", cutTo(good, 13), DecodeError::Truncated},
        {"ImageDataCutShort", cutTo(good, good.size() - 3), DecodeError::Truncated},
        {"HugeScreen", withScreen(good, 65535, 65535), DecodeError::TooManyPixels},
        {"EmptyScreen", withScreen(good, 0, 5), DecodeError::BadHeader},
    };
}

class GifRejectionTest : public testing::TestWithParam<GifRejection> {};

TEST_P(GifRejectionTest, GivesTheExpectedOutcome) {
    const pictures::DecodeResult result = decode(GetParam().bytes);
    EXPECT_EQ(result.picture.has_value(), GetParam().error == DecodeError::Ok);
    EXPECT_EQ(pictures::decodeErrorName(result.error), pictures::decodeErrorName(GetParam().error));
}

INSTANTIATE_TEST_SUITE_P(Cases, GifRejectionTest, testing::ValuesIn(gifRejections()),
                         [](const auto& info) { return info.param.name; });

TEST(GifDecoder, MinimumCodeSizeOutsideOneToEightIsCorrupt) {
    for (std::uint8_t size : {0, 9, 12}) {
        Bytes gif = gifFile(oneImageGif(patternImage(4, 4, 4, 0), 4));
        const std::size_t minCodeSizeAt = 13 + 4 * 3 + 10;
        ASSERT_EQ(gif[minCodeSizeAt], 8);
        gif[minCodeSizeAt] = size;
        EXPECT_EQ(decode(gif).error, DecodeError::CorruptData) << int{size};
    }
}

}  // namespace
