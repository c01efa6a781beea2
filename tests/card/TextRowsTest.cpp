// The text rows as the edit boxes feed them: which lines are written, where, and how.
#include <gtest/gtest.h>

#include <QFontMetricsF>
#include <QPainter>
#include <memory>
#include <utility>
#include <vector>

#include "tests/card/CardPixels.h"
#include "tests/card/CardWindow.h"
#include "toolkit/Fonts.h"

namespace {

using namespace cardtest;

using Line = std::pair<int, QString>;  // the y of its text cell and the whole line

// Template 1 with `lines` written in white, each with the top-left corner of its text cell at
// x 120 and its y, in the default user-interface font.
QImage withLines(const std::vector<Line>& lines) {
    QImage image = templateImage(1);
    QPainter painter(&image);
    const QFont font = toolkit::defaultUiFont();
    painter.setFont(font);
    painter.setPen(QColor(255, 255, 255));
    for (const auto& [y, text] : lines) {
        painter.drawText(QPointF(120, y + QFontMetricsF(font).ascent()), text);
    }
    return image;
}

struct RowsCase {
    const char* what;
    card::CardTexts texts;
    std::vector<Line> lines;
};

class TextRowsTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() { window_ = std::make_unique<CardWindow>(); }
    static void TearDownTestSuite() { window_.reset(); }
    void SetUp() override { window_->reset(); }

    static std::unique_ptr<CardWindow> window_;
};

std::unique_ptr<CardWindow> TextRowsTest::window_;

const QString longText = QString(200, u'W');

TEST_F(TextRowsTest, WritesEachNonBlankRowTwentyPixelsBelowTheLastInRowOrder) {
    const QString nick = QStringLiteral("论坛昵称：");
    const QString forum = QStringLiteral("论坛名称：");
    const QString title = QStringLiteral("论坛职位：");
    const QString qq = QStringLiteral("联系ＱＱ：");
    const QString sign = QStringLiteral("个性签名：");
    const RowsCase cases[] = {
        {"the initial texts",
         initialTexts(),
         {{32, nick + "zelk0731"},
          {52, forum + "Tarnwick"},
          {72, title + QStringLiteral("普通会员")},
          {92, qq + "416832057"},
          {112, sign + QStringLiteral("等待的人，你在哪？")}}},
        {"all empty", {}, {}},
        {"all blank",
         {QStringLiteral(" "), QStringLiteral("\u3000"), QStringLiteral("   "),
          QStringLiteral("\u3000 \u3000"), QStringLiteral(" \u3000\u3000 ")},
         {}},
        {"only the QQ number and the signature",
         {QString(), QString(), QString(), QStringLiteral("416832057"), QStringLiteral("等待")},
         {{32, qq + "416832057"}, {52, sign + QStringLiteral("等待")}}},
        {"empty rows leave no gap",
         {QStringLiteral("a"), QString(), QStringLiteral("c"), QStringLiteral("  "),
          QStringLiteral("e")},
         {{32, nick + "a"}, {52, title + "c"}, {72, sign + "e"}}},
        {"blanks around the text are written",
         {QStringLiteral("  abc"), QStringLiteral("x\u3000"), QString(), QString(), QString()},
         {{32, nick + "  abc"}, {52, forum + QStringLiteral("x\u3000")}}},
        {"full-width spaces only are blank, a tab is text",
         {QStringLiteral("\u3000\u3000"), QStringLiteral("\t"), QString(), QString(), QString()},
         {{32, forum + "\t"}}},
        {"a long text stays on its line",
         {longText, QString(), QString(), QString(), QStringLiteral("s")},
         {{32, nick + longText}, {52, sign + "s"}}},
    };
    const QImage background = templateImage(1);
    ASSERT_FALSE(background.isNull());
    for (const RowsCase& c : cases) {
        SCOPED_TRACE(c.what);
        window_->setTexts(c.texts);
        const QImage& shown = window_->card();
        EXPECT_EQ(differingPixels(shown, withLines(c.lines), textColumn), 0);
        EXPECT_EQ(differingPixelsOutside(shown, background, {avatarBox, textColumn}), 0);
        for (int y = 32; y <= 112; y += 20) {
            bool written = false;
            for (const Line& line : c.lines) {
                written = written || line.first == y;
            }
            const int changed = differingPixels(shown, background, textLine(y));
            EXPECT_EQ(changed > 0, written) << "line at y " << y;
            EXPECT_TRUE(onlyLightened(shown, background, textLine(y))) << "line at y " << y;
        }
        EXPECT_EQ(differingPixels(shown, background, QRect(120, 132, 180, 8)), 0);
    }
}

TEST_F(TextRowsTest, LeadingSpacesShiftTheTextRight) {
    window_->setTexts({QStringLiteral("abc"), {}, {}, {}, {}});
    const QImage trimmed = window_->card().copy();
    window_->setTexts({QStringLiteral("  abc"), {}, {}, {}, {}});
    const QImage untrimmed = window_->card().copy();
    const QImage background = templateImage(1);

    EXPECT_GT(differingPixels(trimmed, untrimmed, textLine(32)), 0);
    const double shift =
        QFontMetricsF(toolkit::defaultUiFont()).horizontalAdvance(QStringLiteral("  "));
    ASSERT_GT(shift, 1.0);
    const int trimmedEnd = rightmostDifference(trimmed, background, textLine(32));
    const int untrimmedEnd = rightmostDifference(untrimmed, background, textLine(32));
    EXPECT_NEAR(untrimmedEnd - trimmedEnd, shift, 1.0);
}

TEST_F(TextRowsTest, LongTextIsCutAtTheCardsRightEdge) {
    window_->setTexts({longText, {}, {}, {}, {}});
    const QImage& shown = window_->card();
    const QImage background = templateImage(1);
    EXPECT_EQ(shown.width(), cardWidth);
    EXPECT_GT(differingPixels(shown, background, QRect(290, 32, 10, 20)), 0);
    // Not wrapped: nothing below the first line.
    EXPECT_EQ(differingPixels(shown, background, QRect(120, 52, 180, 88)), 0);
}

TEST_F(TextRowsTest, EveryTemplateWritesTheSameLinesOnItsOwnPicture) {
    for (int number = 1; number <= 4; ++number) {
        SCOPED_TRACE(number);
        window_->selectTemplate(number);
        const QImage& shown = window_->card();
        const QImage background = templateImage(number);
        EXPECT_EQ(differingPixels(shown, composeCard(number, initialTexts(), QString()), wholeCard),
                  0);
        EXPECT_EQ(differingPixelsOutside(shown, background, {avatarBox, textColumn}), 0);
    }
}

}  // namespace
