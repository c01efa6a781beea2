// How the labels paint: the header gradient row by row, the highlighted caption column.
#include "MainWindowFixture.h"
#include "toolkit/Colors.h"
#include "toolkit/Label.h"

namespace {

TEST(GradientRows, FollowTheBandsAndCutTowardZero) {
    const std::vector<toolkit::ColorRef> header = {0x00FFFFFF, 0x00ECECEC, 0x00FFFFFF};
    struct Row {
        int y, height;
        int grey;
    };
    // Height 18: s = 9; rows 0..8 step from 255 toward 236, rows 9..17 back to 255; no row
    // past the last band. Height 31: s = 15, k = 2 at row 30 takes the last colour.
    const Row rows[] = {
        {0, 18, 255},  {1, 18, 253},  {4, 18, 247},  {8, 18, 239}, {9, 18, 236},
        {13, 18, 244}, {17, 18, 252}, {0, 31, 255},  {7, 31, 247}, {14, 31, 238},
        {15, 31, 236}, {29, 31, 253}, {30, 31, 255},
    };
    for (const Row& row : rows) {
        const QColor c = toolkit::gradientRowColor(header, row.y, row.height);
        EXPECT_EQ(c, QColor(row.grey, row.grey, row.grey)) << "y " << row.y << " of " << row.height;
    }
}

TEST_F(MainWindowTest, HeaderLabelsPaintTheGradient) {
    for (const char* name : {"标签2", "标签3"}) {
        QWidget* label = widget(name);
        const QImage pixels = label->grab().toImage();
        ASSERT_EQ(pixels.height(), label->height());
        const auto& gradient = control(name)->design().gradient;
        for (int y = 0; y < pixels.height(); ++y) {
            // The left edge: no text reaches it.
            EXPECT_EQ(pixels.pixelColor(0, y),
                      toolkit::gradientRowColor(gradient, y, pixels.height()))
                << name << " row " << y;
        }
    }
}

TEST_F(MainWindowTest, CaptionColumnIsHighlightedInWhite) {
    const QImage pixels = widget("标签1")->grab().toImage();
    ASSERT_NE(toolkit::buttonFaceColor(), QColor(Qt::white));
    // Olive text (red 128, green 128, blue 0) with a white copy one pixel right and down:
    // the white shows where the copy is not covered, along the lower right of each stroke.
    int olive = 0;
    int whiteBelowRightOfOlive = 0;
    for (int y = 0; y + 1 < pixels.height(); ++y) {
        for (int x = 0; x + 1 < pixels.width(); ++x) {
            const QColor c = pixels.pixelColor(x, y);
            if (c.blue() < 60 && c.red() > 90 && c.red() < 170 && c.green() > 90 &&
                c.green() < 170) {
                ++olive;
                whiteBelowRightOfOlive += pixels.pixelColor(x + 1, y + 1) == QColor(Qt::white);
            }
        }
    }
    EXPECT_GT(olive, 100);
    EXPECT_GT(whiteBelowRightOfOlive, 20);
}

}  // namespace
