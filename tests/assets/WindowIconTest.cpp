// The window icon: one 32 x 32 16-colour image with its transparency mask.
#include <gtest/gtest.h>

#include "GifWalker.h"
#include "assets/Assets.h"

namespace assets_test {
namespace {

constexpr int size = 32;
constexpr std::size_t dibOffset = 22;
constexpr std::size_t paletteOffset = dibOffset + 40;
constexpr std::size_t colourOffset = paletteOffset + 64;
constexpr std::size_t maskOffset = colourOffset + 512;

int u16(assets::Bytes b, std::size_t at) {
    return b[at] | b[at + 1] << 8;
}
long u32(assets::Bytes b, std::size_t at) {
    return u16(b, at) | long(u16(b, at + 2)) << 16;
}

// Pixel (x, y), y downwards; the rows are stored bottom-up.
int colourIndex(assets::Bytes icon, int x, int y) {
    const std::uint8_t pair = icon[colourOffset + std::size_t(size - 1 - y) * 16 + x / 2];
    return x % 2 == 0 ? pair >> 4 : pair & 0xF;
}

bool transparent(assets::Bytes icon, int x, int y) {
    return (icon[maskOffset + std::size_t(size - 1 - y) * 4 + x / 8] >> (7 - x % 8)) & 1;
}

Rgb colour(assets::Bytes icon, int x, int y) {
    const std::size_t at = paletteOffset + std::size_t(colourIndex(icon, x, y)) * 4;
    return {icon[at + 2], icon[at + 1], icon[at]};
}

TEST(WindowIcon, IsOne32x32SixteenColourImageWithItsMask) {
    const assets::Bytes icon = assets::windowIcon();
    ASSERT_EQ(icon.size(), 766u);
    EXPECT_EQ(u16(icon, 0), 0);
    EXPECT_EQ(u16(icon, 2), 1) << "type: icon";
    EXPECT_EQ(u16(icon, 4), 1) << "image count";
    EXPECT_EQ(icon[6], size);
    EXPECT_EQ(icon[7], size);
    EXPECT_EQ(icon[8], 16) << "colour count";
    EXPECT_EQ(u16(icon, 10), 1) << "planes";
    EXPECT_EQ(u16(icon, 12), 4) << "bits per pixel";
    EXPECT_EQ(u32(icon, 14), 744) << "image bytes";
    EXPECT_EQ(u32(icon, 18), long(dibOffset));
    EXPECT_EQ(u32(icon, dibOffset), 40);
    EXPECT_EQ(u32(icon, dibOffset + 4), size);
    EXPECT_EQ(u32(icon, dibOffset + 8), 2 * size) << "colour rows and mask rows";
    EXPECT_EQ(u16(icon, dibOffset + 12), 1);
    EXPECT_EQ(u16(icon, dibOffset + 14), 4);
    EXPECT_EQ(u32(icon, dibOffset + 16), 0) << "uncompressed";
}

TEST(WindowIcon, UsesTheStandardSixteenColours) {
    const assets::Bytes icon = assets::windowIcon();
    const Rgb vga[16] = {{0, 0, 0},       {128, 0, 0},   {0, 128, 0},   {128, 128, 0},
                         {0, 0, 128},     {128, 0, 128}, {0, 128, 128}, {192, 192, 192},
                         {128, 128, 128}, {255, 0, 0},   {0, 255, 0},   {255, 255, 0},
                         {0, 0, 255},     {255, 0, 255}, {0, 255, 255}, {255, 255, 255}};
    for (int i = 0; i < 16; ++i) {
        const std::size_t at = paletteOffset + std::size_t(i) * 4;
        EXPECT_EQ((Rgb{icon[at + 2], icon[at + 1], icon[at]}), vga[i]) << "entry " << i;
    }
}

TEST(WindowIcon, HasColouredCornersAndTransparentEdgeMiddles) {
    const assets::Bytes icon = assets::windowIcon();
    ASSERT_EQ(icon.size(), 766u);
    struct Corner {
        int x, y;
        bool red, green, blue;  // which primaries the corner's colour is made of
    };
    const Corner corners[] = {
        {2, 2, false, true, false},   // green
        {29, 2, true, true, false},   // yellow
        {2, 29, false, true, true},   // cyan
        {29, 29, true, false, true},  // magenta
    };
    for (const Corner& c : corners) {
        for (const auto& [dx, dy] : {std::pair{0, 0}, {1, 0}, {3, 4}, {6, 5}}) {
            const int x = c.x < 16 ? c.x + dx : c.x - dx, y = c.y < 16 ? c.y + dy : c.y - dy;
            const Rgb rgb = colour(icon, x, y);
            EXPECT_FALSE(transparent(icon, x, y)) << x << "," << y;
            EXPECT_EQ(rgb.r > 0, c.red) << x << "," << y;
            EXPECT_EQ(rgb.g > 0, c.green) << x << "," << y;
            EXPECT_EQ(rgb.b > 0, c.blue) << x << "," << y;
        }
    }
    for (const auto& [x, y] :
         {std::pair{15, 0}, {16, 0}, {0, 15}, {0, 16}, {31, 15}, {31, 16}, {15, 31}, {16, 31}}) {
        EXPECT_TRUE(transparent(icon, x, y)) << x << "," << y;
    }
    EXPECT_FALSE(transparent(icon, 0, 0));
    EXPECT_FALSE(transparent(icon, 15, 15));
}

TEST(WindowIcon, CrossIsNavyWithLightGreyArrowsTurningLikeAPinwheel) {
    const assets::Bytes icon = assets::windowIcon();
    ASSERT_EQ(icon.size(), 766u);
    int navy = 0, grey = 0, mirrored = 0;
    for (int y = 2; y < size - 2; ++y) {
        for (int x = 11; x < size - 11; ++x) {
            // The vertical bar, and the horizontal one by swapping x and y.
            for (const auto& [px, py] : {std::pair{x, y}, {y, x}}) {
                const Rgb c = colour(icon, px, py);
                navy += c == Rgb{0, 0, 128} ? 1 : 0;
                grey += c == Rgb{192, 192, 192} ? 1 : 0;
                // A quarter turn clockwise carries each arrow onto the next.
                ASSERT_EQ(c, colour(icon, size - 1 - py, px)) << px << "," << py;
                mirrored += c == colour(icon, size - 1 - px, py) ? 0 : 1;
            }
        }
    }
    EXPECT_GT(navy, grey);
    EXPECT_GT(grey, 4 * 20);
    EXPECT_GT(mirrored, 0) << "a pinwheel is not its own mirror image";
}

}  // namespace
}  // namespace assets_test
