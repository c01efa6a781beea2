// The default avatar: an endless animation whose first image is the whole figure.
#include <gtest/gtest.h>

#include <algorithm>

#include "GifWalker.h"
#include "assets/Assets.h"

namespace assets_test {
namespace {

constexpr int avatarSize = 136;

class DefaultAvatar : public testing::Test {
  protected:
    void SetUp() override {
        auto walked = walkGif(assets::defaultAvatar());
        ASSERT_TRUE(walked) << "not a well-formed GIF";
        gif = std::move(*walked);
        ASSERT_EQ(gif.frames.size(), 5u);
    }
    GifLayout gif;
};

TEST_F(DefaultAvatar, LoopsForeverOverFiveControlledImages) {
    EXPECT_EQ(gif.signature, "GIF89a");
    EXPECT_EQ(gif.width, avatarSize);
    EXPECT_EQ(gif.height, avatarSize);
    EXPECT_EQ(gif.globalTableEntries, 256);
    EXPECT_TRUE(gif.loopsForever);
    for (std::size_t i = 0; i < gif.frames.size(); ++i) {
        const GifFrame& frame = gif.frames[i];
        ASSERT_TRUE(frame.control) << "image " << i;
        EXPECT_EQ(frame.control->disposal, 1) << "image " << i;
        EXPECT_EQ(frame.control->delay, 10) << "image " << i;
        EXPECT_EQ(frame.control->transparentIndex, 255) << "image " << i;
        EXPECT_FALSE(frame.localTable) << "image " << i;
        EXPECT_FALSE(frame.interlaced) << "image " << i;
        EXPECT_LE(frame.left + frame.width, avatarSize) << "image " << i;
        EXPECT_LE(frame.top + frame.height, avatarSize) << "image " << i;
        if (i > 0) {
            EXPECT_LT(frame.width * frame.height, avatarSize * avatarSize / 2)
                << "image " << i << " is a patch";
        }
    }
}

TEST_F(DefaultAvatar, FirstImageIsTheWholeFigureWithNoTransparentPixel) {
    const GifFrame& first = gif.frames[0];
    EXPECT_EQ(first.left, 0);
    EXPECT_EQ(first.top, 0);
    ASSERT_EQ(first.width, avatarSize);
    ASSERT_EQ(first.height, avatarSize);
    EXPECT_EQ(std::count(first.indices.begin(), first.indices.end(), 255), 0);
    for (const auto& [x, y] : {std::pair{0, 0},
                               {avatarSize - 1, 0},
                               {0, avatarSize - 1},
                               {avatarSize - 1, avatarSize - 1}}) {
        EXPECT_EQ(frameColour(gif, first, x, y), (Rgb{255, 255, 255}))
            << "corner " << x << "," << y;
    }
    // The figure stands in the middle: far from all white there.
    int coloured = 0;
    for (int y = 40; y < 100; ++y) {
        for (int x = 40; x < 100; ++x) {
            coloured += frameColour(gif, first, x, y) == Rgb{255, 255, 255} ? 0 : 1;
        }
    }
    EXPECT_GT(coloured, 60 * 60 * 3 / 4);
}

TEST_F(DefaultAvatar, LaterImagesChangeSomething) {
    for (std::size_t i = 1; i < gif.frames.size(); ++i) {
        const auto& indices = gif.frames[i].indices;
        EXPECT_LT(std::count(indices.begin(), indices.end(), 255), std::ptrdiff_t(indices.size()))
            << "image " << i << " is all transparent";
    }
}

}  // namespace
}  // namespace assets_test
