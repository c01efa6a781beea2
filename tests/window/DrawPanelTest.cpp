// The drawing surface: pictures at natural size, stretched and through their mask; text; copies
// between surfaces; clearing.
#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QScreen>

#include "toolkit/DrawPanel.h"
#include "toolkit/Window.h"

namespace {

constexpr std::uint32_t black = 0xFF000000u;
constexpr std::uint32_t white = 0xFFFFFFFFu;
constexpr std::uint32_t red = 0xFFFF0000u;

toolkit::Picture picture(int width, int height, std::vector<std::uint32_t> pixels,
                         bool hasMask = false) {
    return {toolkit::PictureKind::Bmp, width, height, std::move(pixels), hasMask};
}

class DrawPanelTest : public ::testing::Test {
  protected:
    void SetUp() override {
        toolkit::WindowDesign design;
        design.name = QStringLiteral("w");
        design.outerWidth = 200;
        design.outerHeight = 100;
        toolkit::ControlDesign panel;
        panel.name = QStringLiteral("panel");
        panel.kind = toolkit::ControlKind::DrawPanel;
        panel.width = 40;
        panel.height = 30;
        panel.backColor = 0x0000FF00;  // green
        panel.border = toolkit::BorderStyle::Sunken;
        design.controls = {panel, panel};
        design.controls[1].name = QStringLiteral("other");
        window = std::make_unique<toolkit::Window>(design);
        window->buildControls();
        surface = window->find<toolkit::DrawPanel>(QStringLiteral("panel"));
        other = window->find<toolkit::DrawPanel>(QStringLiteral("other"));
    }

    std::uint32_t at(int x, int y) const { return surface->buffer().pixel(x, y); }

    std::unique_ptr<toolkit::Window> window;
    toolkit::DrawPanel* surface = nullptr;
    toolkit::DrawPanel* other = nullptr;
};

TEST_F(DrawPanelTest, BufferIsTheClientAreaInsideTheBorder) {
    EXPECT_EQ(surface->buffer().size(), QSize(36, 26));
    EXPECT_EQ(at(0, 0), 0xFF00FF00u);
    surface->setBorder(toolkit::BorderStyle::None);
    EXPECT_EQ(surface->buffer().size(), QSize(40, 30));
}

TEST_F(DrawPanelTest, NaturalSizeCopiesThePixels) {
    surface->drawPicture(picture(2, 2, {red, white, black, red}), 3, 4);
    EXPECT_EQ(at(3, 4), red);
    EXPECT_EQ(at(4, 4), white);
    EXPECT_EQ(at(3, 5), black);
    EXPECT_EQ(at(4, 5), red);
    EXPECT_EQ(at(5, 4), 0xFF00FF00u);
    EXPECT_EQ(at(2, 4), 0xFF00FF00u);
}

TEST_F(DrawPanelTest, IconsAreDrawnThroughTheirMask) {
    surface->drawPicture(picture(2, 1, {red, 0x00FFFFFFu}, true), 0, 0);
    EXPECT_EQ(at(0, 0), red);
    EXPECT_EQ(at(1, 0), 0xFF00FF00u);  // transparent: the background shows
    surface->drawPictureStretched(picture(2, 1, {red, 0x00000000u}, true), 10, 10, 20, 10);
    EXPECT_EQ(at(12, 15), red);
    EXPECT_EQ(at(27, 15), 0xFF00FF00u);
}

TEST_F(DrawPanelTest, StretchingFillsExactlyTheRectangle) {
    const toolkit::Picture tall = picture(1, 3, {red, red, red});
    surface->drawPictureStretched(tall, 5, 6, 9, 9);
    for (int y = 6; y < 15; ++y) {
        for (int x = 5; x < 14; ++x) {
            EXPECT_EQ(at(x, y), red) << x << "," << y;
        }
    }
    EXPECT_EQ(at(4, 6), 0xFF00FF00u);
    EXPECT_EQ(at(14, 6), 0xFF00FF00u);
    EXPECT_EQ(at(5, 5), 0xFF00FF00u);
    EXPECT_EQ(at(5, 15), 0xFF00FF00u);
}

// Run once on a display of more than 16 bits and once on a 16-bit one (see CMakeLists.txt).
TEST_F(DrawPanelTest, StretchingSmoothsOnlyAboveSixteenBitsPerPixel) {
    const QScreen* screen = QGuiApplication::primaryScreen();
    ASSERT_NE(screen, nullptr);
    const bool smooth = screen->depth() > 16;
    EXPECT_EQ(toolkit::DrawPanel::smoothScaling(), smooth);
    // A black and a white pixel shrunk into one: averaged to grey, or one of the two.
    surface->drawPictureStretched(picture(2, 1, {black, white}), 0, 0, 1, 1);
    const int level = qRed(at(0, 0));
    if (smooth) {
        EXPECT_GT(level, 60) << "depth " << screen->depth();
        EXPECT_LT(level, 200) << "depth " << screen->depth();
    } else {
        EXPECT_TRUE(level == 0 || level == 255) << level;
    }
}

TEST_F(DrawPanelTest, TextIsOneLineFromTheTopLeftOfItsCell) {
    surface->setBorder(toolkit::BorderStyle::None);
    surface->setWidth(200);
    surface->setTextColor(0x00FFFFFF);
    surface->writeText(10, 5, QStringLiteral("Name 名片 and a long tail that runs off the edge"));
    int top = 1000;
    int bottom = -1;
    int rightmost = -1;
    for (int y = 0; y < surface->buffer().height(); ++y) {
        for (int x = 0; x < surface->buffer().width(); ++x) {
            if (at(x, y) != 0xFF00FF00u) {
                top = std::min(top, y);
                bottom = std::max(bottom, y);
                rightmost = std::max(rightmost, x);
                EXPECT_GE(x, 10);
            }
        }
    }
    EXPECT_GE(top, 5);
    EXPECT_LT(bottom, 5 + 20);  // fits the card's 20-pixel row pitch
    EXPECT_EQ(rightmost, 199);  // cut at the edge, not wrapped
}

TEST_F(DrawPanelTest, CopyTakesTheWholeSourceAndClearRestoresTheBackground) {
    other->drawPicture(picture(1, 1, {red}), 35, 25);
    surface->copyFrom(*other);
    EXPECT_EQ(surface->buffer(), other->buffer());
    other->clear();
    EXPECT_EQ(other->buffer().pixel(35, 25), 0xFF00FF00u);
    EXPECT_EQ(at(35, 25), red);  // its own buffer
}

TEST_F(DrawPanelTest, BackgroundPictureIsTiledFromTheTopLeft) {
    surface->setBackgroundPicture(
        std::make_shared<const toolkit::Picture>(picture(2, 2, {white, black, black, white})));
    surface->clear();
    for (int y = 0; y < 6; ++y) {
        for (int x = 0; x < 6; ++x) {
            EXPECT_EQ(at(x, y), (x + y) % 2 == 0 ? white : black) << x << "," << y;
        }
    }
}

}  // namespace
