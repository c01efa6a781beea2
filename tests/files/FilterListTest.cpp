// The filter text of the file dialog component, cut into its pairs.
#include <gtest/gtest.h>

#include <ostream>

#include "pictures/CommonDlg.h"
#include "tests/files/QtPrinters.h"

namespace {

using Pairs = QList<toolkit::FileFilter>;

struct FilterCase {
    const char* what;
    QString filter;
    Pairs expected;
};

// Test names in CTest show the case, not its bytes.
void PrintTo(const FilterCase& c, std::ostream* os) {
    *os << c.what;
}

class FilterListTest : public ::testing::TestWithParam<FilterCase> {};

TEST_P(FilterListTest, CutsIntoPairs) {
    const FilterCase& c = GetParam();
    const Pairs actual = pictures::parseFilterList(c.filter);
    ASSERT_EQ(actual.size(), c.expected.size()) << c.what;
    for (qsizetype i = 0; i < actual.size(); ++i) {
        EXPECT_EQ(actual[i].description, c.expected[i].description) << c.what << ", pair " << i;
        EXPECT_EQ(actual[i].pattern, c.expected[i].pattern) << c.what << ", pair " << i;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Filters, FilterListTest,
    ::testing::Values(FilterCase{"avatar pictures",
                                 QStringLiteral("图片文件(*.bmp;*.jpg;*.gif)|*.bmp;*.jpg;*.gif"),
                                 {{QStringLiteral("图片文件(*.bmp;*.jpg;*.gif)"),
                                   QStringLiteral("*.bmp;*.jpg;*.gif")}}},
                      FilterCase{"saved card",
                                 QStringLiteral("图片文件(*.bmp)|*.bmp"),
                                 {{QStringLiteral("图片文件(*.bmp)"), QStringLiteral("*.bmp")}}},
                      FilterCase{"white space at the end goes",
                                 QStringLiteral("Text|*.txt \t\r\n"),
                                 {{QStringLiteral("Text"), QStringLiteral("*.txt")}}},
                      FilterCase{"white space at the start stays",
                                 QStringLiteral(" Text| *.txt"),
                                 {{QStringLiteral(" Text"), QStringLiteral(" *.txt")}}},
                      FilterCase{"already closed",
                                 QStringLiteral("Text|*.txt||"),
                                 {{QStringLiteral("Text"), QStringLiteral("*.txt")}}},
                      FilterCase{"closed, then white space",
                                 QStringLiteral("Text|*.txt||  "),
                                 {{QStringLiteral("Text"), QStringLiteral("*.txt")}}},
                      FilterCase{"empty", QString(), {}},
                      FilterCase{"only white space", QStringLiteral(" \t\n"), {}},
                      FilterCase{"several pairs",
                                 QStringLiteral("Pictures|*.bmp;*.gif|All files|*.*"),
                                 {{QStringLiteral("Pictures"), QStringLiteral("*.bmp;*.gif")},
                                  {QStringLiteral("All files"), QStringLiteral("*.*")}}},
                      FilterCase{"odd count: the last description has no pattern",
                                 QStringLiteral("Pictures|*.bmp|All files"),
                                 {{QStringLiteral("Pictures"), QStringLiteral("*.bmp")},
                                  {QStringLiteral("All files"), QString()}}},
                      FilterCase{"an empty description ends the list",
                                 QStringLiteral("A|*.a||B|*.b"),
                                 {{QStringLiteral("A"), QStringLiteral("*.a")}}},
                      FilterCase{"an empty pattern does not",
                                 QStringLiteral("A||B|*.b"),
                                 {{QStringLiteral("A"), QString()},
                                  {QStringLiteral("B"), QStringLiteral("*.b")}}},
                      FilterCase{
                          "an empty first description: no pairs", QStringLiteral("|*.bmp"), {}},
                      FilterCase{"one trailing bar",
                                 QStringLiteral("A|*.a|"),
                                 {{QStringLiteral("A"), QStringLiteral("*.a")}}}));

}  // namespace
