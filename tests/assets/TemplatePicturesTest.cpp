// The four card template backgrounds: their GIF structure and the layout a card relies on.
#include <gtest/gtest.h>

#include <algorithm>
#include <ostream>

#include "GifWalker.h"
#include "assets/Assets.h"

namespace assets_test {
namespace {

constexpr int cardWidth = 300;
constexpr int cardHeight = 140;
const Rgb white{255, 255, 255};

struct TemplateCase {
    int number;
    Rgb band;
};

void PrintTo(const TemplateCase& c, std::ostream* out) {
    *out << "template " << c.number;
}

const TemplateCase templateCases[] = {
    {1, {0x2D, 0x60, 0x90}},
    {2, {0x3B, 0x77, 0x81}},
    {3, {0x82, 0x3B, 0x7D}},
    {4, {0x45, 0x52, 0x85}},
};

int luminance(Rgb c) {
    return (c.r * 299 + c.g * 587 + c.b * 114) / 1000;
}

class TemplatePicture : public testing::TestWithParam<TemplateCase> {
  protected:
    void SetUp() override {
        auto walked = walkGif(assets::templatePicture(GetParam().number));
        ASSERT_TRUE(walked) << "not a well-formed GIF";
        gif = std::move(*walked);
        ASSERT_EQ(gif.frames.size(), 1u);
    }
    Rgb pixel(int x, int y) const { return frameColour(gif, gif.frames[0], x, y); }

    GifLayout gif;
};

TEST_P(TemplatePicture, IsOneStill300x140ImageWithAFullGlobalTable) {
    EXPECT_EQ(gif.signature, "GIF89a");
    EXPECT_EQ(gif.width, cardWidth);
    EXPECT_EQ(gif.height, cardHeight);
    EXPECT_EQ(gif.globalTableEntries, 256);
    EXPECT_EQ(gif.backgroundIndex, 0);
    EXPECT_TRUE(gif.extensions.empty()) << gif.extensions.front();
    const GifFrame& frame = gif.frames[0];
    EXPECT_EQ(frame.left, 0);
    EXPECT_EQ(frame.top, 0);
    EXPECT_EQ(frame.width, cardWidth);
    EXPECT_EQ(frame.height, cardHeight);
    EXPECT_FALSE(frame.interlaced);
    EXPECT_FALSE(frame.localTable);
}

TEST_P(TemplatePicture, HasALightGreyBorderAllRound) {
    for (int x = 0; x < cardWidth; ++x) {
        ASSERT_EQ(pixel(x, 0), (Rgb{0xCC, 0xCC, 0xCC})) << "top, x " << x;
        ASSERT_EQ(pixel(x, cardHeight - 1), (Rgb{0xCC, 0xCC, 0xCC})) << "bottom, x " << x;
    }
    for (int y = 0; y < cardHeight; ++y) {
        ASSERT_EQ(pixel(0, y), (Rgb{0xCC, 0xCC, 0xCC})) << "left, y " << y;
        ASSERT_EQ(pixel(cardWidth - 1, y), (Rgb{0xCC, 0xCC, 0xCC})) << "right, y " << y;
    }
}

TEST_P(TemplatePicture, HasASolidHeaderBandInItsColour) {
    for (const auto& [x, y] : {std::pair{1, 1}, {150, 10}, {298, 18}, {60, 20}, {250, 4}}) {
        EXPECT_EQ(pixel(x, y), GetParam().band) << x << "," << y;
    }
}

TEST_P(TemplatePicture, AvatarBoxIsPureWhite) {
    for (int y = 32; y <= 121; ++y) {
        for (int x = 12; x <= 101; ++x) {
            ASSERT_EQ(pixel(x, y), white) << x << "," << y;
        }
    }
}

TEST_P(TemplatePicture, AvatarFrameIsADashedDarkOutlineWithAShadow) {
    int dark = 0, light = 0;
    const auto look = [&](int x, int y) { (luminance(pixel(x, y)) < 100 ? dark : light)++; };
    for (int i = 10; i <= 103; ++i) {
        look(i, 30);
        look(i, 123);
        look(10, i + 20);
        look(103, i + 20);
    }
    EXPECT_GT(dark, light) << "mostly dashes";
    EXPECT_GT(light, 30) << "with gaps between them";
    for (const auto& [x, y] : {std::pair{10, 30}, {103, 30}, {10, 123}, {103, 123}}) {
        EXPECT_LT(luminance(pixel(x, y)), 100) << "corner " << x << "," << y;
    }
    for (const auto& [x, y] : {std::pair{104, 34}, {107, 80}, {60, 124}, {107, 127}}) {
        EXPECT_EQ(pixel(x, y), (Rgb{0xE4, 0xE4, 0xE4})) << "shadow " << x << "," << y;
    }
    // Beyond the shadow the body shows again.
    EXPECT_NE(pixel(109, 80), white);
    EXPECT_NE(pixel(60, 129), white);
}

TEST_P(TemplatePicture, TextColumnIsDarkEnoughForWhiteText) {
    long total = 0, count = 0, bright = 0;
    for (int y = 32; y < 125; ++y) {
        for (int x = 120; x < 290; ++x) {
            const int l = luminance(pixel(x, y));
            total += l;
            ++count;
            bright += l > 200 ? 1 : 0;
        }
    }
    EXPECT_LT(total / count, 128);
    EXPECT_LT(bright * 100 / count, 2) << "per cent of near-white pixels";
}

INSTANTIATE_TEST_SUITE_P(BuiltIn, TemplatePicture, testing::ValuesIn(templateCases),
                         [](const auto& info) {
                             return "Template" + std::to_string(info.param.number);
                         });

TEST(TemplatePictures, NumbersOutsideOneToFourHaveNoPicture) {
    EXPECT_TRUE(assets::templatePicture(0).empty());
    EXPECT_TRUE(assets::templatePicture(assets::templateCount + 1).empty());
}

TEST(TemplatePictures, AreFourDifferentPictures) {
    for (int a = 1; a <= assets::templateCount; ++a) {
        for (int b = a + 1; b <= assets::templateCount; ++b) {
            const auto x = assets::templatePicture(a), y = assets::templatePicture(b);
            EXPECT_FALSE(std::equal(x.begin(), x.end(), y.begin(), y.end())) << a << " and " << b;
        }
    }
}

}  // namespace
}  // namespace assets_test
