// Which texts write no row: only spaces and full-width spaces are blanks.
#include <gtest/gtest.h>

#include "card/RenderCard.h"

namespace {

struct BlankCase {
    const char* what;
    QString text;
    bool blank;
};

TEST(IsBlankRow, OnlySpacesAndFullWidthSpacesAreBlank) {
    const BlankCase cases[] = {
        {"empty", QString(), true},
        {"one space", QStringLiteral(" "), true},
        {"full-width spaces", QStringLiteral("\u3000\u3000"), true},
        {"spaces of both widths", QStringLiteral(" \u3000 \u3000 "), true},
        {"a tab", QStringLiteral("\t"), false},
        {"a line break", QStringLiteral("\n"), false},
        {"a no-break space", QStringLiteral("\u00A0"), false},
        {"spaces around a letter", QStringLiteral("  a  "), false},
        {"full-width spaces around a character", QStringLiteral("\u3000名\u3000"), false},
        {"a tab between spaces", QStringLiteral(" \t "), false},
        {"digits", QStringLiteral("416832057"), false},
    };
    for (const BlankCase& c : cases) {
        EXPECT_EQ(card::isBlankRow(c.text), c.blank) << c.what;
    }
}

TEST(RowCaptions, EndWithFullWidthColonInRowOrder) {
    const QString expected[] = {
        QStringLiteral("论坛昵称："), QStringLiteral("论坛名称："), QStringLiteral("论坛职位："),
        QStringLiteral("联系ＱＱ："), QStringLiteral("个性签名："),
    };
    ASSERT_EQ(card::rowCaptions().size(), std::size(expected));
    for (size_t row = 0; row < std::size(expected); ++row) {
        EXPECT_EQ(card::rowCaptions()[row], expected[row]) << "row " << row + 1;
    }
}

}  // namespace
