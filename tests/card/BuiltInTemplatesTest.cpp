// The built-in template records: four deep copies sharing geometry and colour.
#include <gtest/gtest.h>

#include <algorithm>

#include "assets/Assets.h"
#include "card/BuildTemplates.h"

namespace {

bool sameBytes(const std::vector<std::uint8_t>& held, assets::Bytes built) {
    return std::equal(held.begin(), held.end(), built.begin(), built.end());
}

TEST(FillBuiltInTemplates, FourRecordsWithTheSharedGeometryAndTheirOwnPictures) {
    card::TemplateList list;
    card::fillBuiltInTemplates(list);
    ASSERT_EQ(list.size(), 4u);
    for (int number = 1; number <= 4; ++number) {
        const card::CardTemplate& t = list[static_cast<size_t>(number - 1)];
        SCOPED_TRACE(number);
        EXPECT_EQ(t.avatarLeft, 12);
        EXPECT_EQ(t.avatarTop, 32);
        EXPECT_EQ(t.avatarWidth, 90);
        EXPECT_EQ(t.avatarHeight, 90);
        EXPECT_EQ(t.textColor, 0x00FFFFFFu);
        EXPECT_EQ(t.textLeft, 120);
        EXPECT_EQ(t.textTop, 32);
        EXPECT_TRUE(sameBytes(t.image, assets::templatePicture(number)));
    }
}

TEST(FillBuiltInTemplates, EmptiesTheListFirst) {
    card::TemplateList list(7);
    list[0].image = {1, 2, 3};
    card::fillBuiltInTemplates(list);
    card::fillBuiltInTemplates(list);
    ASSERT_EQ(list.size(), 4u);
    EXPECT_TRUE(sameBytes(list[0].image, assets::templatePicture(1)));
}

TEST(FillBuiltInTemplates, RecordsOwnTheirBytes) {
    card::TemplateList list;
    card::fillBuiltInTemplates(list);
    ASSERT_EQ(list.size(), 4u);
    // No record shares storage with another or with the embedded data.
    for (size_t i = 0; i < list.size(); ++i) {
        EXPECT_NE(list[i].image.data(), assets::templatePicture(static_cast<int>(i) + 1).data());
        for (size_t j = i + 1; j < list.size(); ++j) {
            EXPECT_NE(list[i].image.data(), list[j].image.data());
        }
    }
    // Changing one record's picture leaves the others and the embedded data as they were.
    list[0].image.assign(10, 0xAB);
    list[0].avatarLeft = 99;
    EXPECT_TRUE(sameBytes(list[1].image, assets::templatePicture(2)));
    EXPECT_EQ(list[1].avatarLeft, 12);
    card::TemplateList again;
    card::fillBuiltInTemplates(again);
    EXPECT_TRUE(sameBytes(again[0].image, assets::templatePicture(1)));

    const card::CardTemplate copy = list[2];
    list[2].image[0] ^= 0xFF;
    EXPECT_NE(copy.image[0], list[2].image[0]);
}

}  // namespace
