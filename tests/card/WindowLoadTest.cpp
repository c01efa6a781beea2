// The main window right after loading: the chooser, the template list and the first card.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "assets/Assets.h"
#include "card/BuildTemplates.h"
#include "tests/card/CardPixels.h"
#include "tests/card/CardWindow.h"
#include "toolkit/DrawPanel.h"

namespace {

using namespace cardtest;

class WindowLoadTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() { window_ = std::make_unique<CardWindow>(); }
    static void TearDownTestSuite() { window_.reset(); }

    static void expectBuiltInChooser() {
        toolkit::ComboBox& chooser = window_->chooser();
        ASSERT_EQ(chooser.count(), 4);
        for (int item = 0; item < 4; ++item) {
            EXPECT_EQ(chooser.itemText(item), QStringLiteral("名片模版%1").arg(item + 1));
            EXPECT_EQ(chooser.itemData(item), item + 1);
        }
        EXPECT_EQ(chooser.currentSelection(), 0);
    }

    static void expectBuiltInList() {
        const card::TemplateList& list = window_->templates();
        ASSERT_EQ(list.size(), 4u);
        for (int number = 1; number <= 4; ++number) {
            const card::CardTemplate& t = list[static_cast<size_t>(number - 1)];
            SCOPED_TRACE(number);
            const int fields[] = {t.avatarLeft,
                                  t.avatarTop,
                                  t.avatarWidth,
                                  t.avatarHeight,
                                  static_cast<int>(t.textColor),
                                  t.textLeft,
                                  t.textTop};
            const int expected[] = {12, 32, 90, 90, 0x00FFFFFF, 120, 32};
            EXPECT_TRUE(std::equal(std::begin(fields), std::end(fields), std::begin(expected)));
            const assets::Bytes picture = assets::templatePicture(number);
            EXPECT_TRUE(std::equal(t.image.begin(), t.image.end(), picture.begin(), picture.end()));
        }
    }

    static std::unique_ptr<CardWindow> window_;
};

std::unique_ptr<CardWindow> WindowLoadTest::window_;

TEST_F(WindowLoadTest, ChooserListsTheFourTemplatesWithTheFirstSelected) {
    expectBuiltInChooser();
}

TEST_F(WindowLoadTest, TemplateListHoldsTheFourBuiltInTemplates) {
    expectBuiltInList();
}

TEST_F(WindowLoadTest, PreviewIsShownCardSizedAndCentredInTheCanvas) {
    const card::CardSurfaces& surfaces = window_->main().surfaces();
    ASSERT_NE(surfaces.preview, nullptr);
    ASSERT_NE(surfaces.host, nullptr);
    EXPECT_EQ(surfaces.host->name(), QStringLiteral("画板1"));
    EXPECT_EQ(surfaces.preview->parent(), surfaces.host);
    // The first card is placed while the canvas has its stored size, 392 x 184 with a
    // two-pixel border: a 388 x 180 client area. The layout rule may stretch it later, which
    // leaves the preview where it is.
    EXPECT_TRUE(surfaces.preview->isVisible());
    EXPECT_EQ(surfaces.preview->width(), cardWidth);
    EXPECT_EQ(surfaces.preview->height(), cardHeight);
    EXPECT_EQ(surfaces.preview->left(), (388 - 300) / 2);
    EXPECT_EQ(surfaces.preview->top(), (180 - 140) / 2);
    EXPECT_EQ(window_->card().size(), QSize(cardWidth, cardHeight));
}

TEST_F(WindowLoadTest, WorkSurfaceStaysHiddenCardSizedAndCleared) {
    const toolkit::DrawPanel& work = *window_->main().surfaces().work;
    EXPECT_FALSE(work.isVisible());
    EXPECT_EQ(work.width(), cardWidth);
    EXPECT_EQ(work.height(), cardHeight);
    const QImage& buffer = work.buffer();
    ASSERT_FALSE(buffer.isNull());
    QImage filled(buffer.size(), buffer.format());
    filled.fill(buffer.pixel(0, 0));
    EXPECT_EQ(differingPixels(buffer, filled, wholeCard), 0);
}

TEST_F(WindowLoadTest, FirstCardShowsTemplateOneDefaultAvatarAndAllFiveTexts) {
    const QImage& shown = window_->card();
    EXPECT_EQ(differingPixels(shown, composeCard(1, initialTexts(), QString()), wholeCard), 0);

    const QImage background = templateImage(1);
    ASSERT_FALSE(background.isNull());
    EXPECT_EQ(differingPixelsOutside(shown, background, {avatarBox, textColumn}), 0);
    // The default avatar covers most of the box; its white background may match the frame.
    EXPECT_GT(differingPixels(shown, background, avatarBox),
              avatarBox.width() * avatarBox.height() / 4);
    for (int y = 32; y <= 112; y += 20) {
        EXPECT_GT(differingPixels(shown, background, textLine(y)), 0) << "line at y " << y;
        EXPECT_TRUE(onlyLightened(shown, background, textLine(y))) << "line at y " << y;
    }
    EXPECT_EQ(differingPixels(shown, background, QRect(120, 132, 180, 8)), 0);
}

TEST_F(WindowLoadTest, BuildingTheTemplatesAgainGivesNoDuplicates) {
    const QImage before = window_->card().copy();
    int redraws = 0;
    for (int run = 0; run < 2; ++run) {
        card::buildTemplates(window_->templates(), window_->chooser(), [&] {
            ++redraws;
            window_->main().renderCard();
        });
    }
    EXPECT_EQ(redraws, 2);
    expectBuiltInChooser();
    expectBuiltInList();
    EXPECT_EQ(differingPixels(window_->card(), before, wholeCard), 0);
}

}  // namespace
