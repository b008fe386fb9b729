#include "platform/TextWidth.h"

#include <gtest/gtest.h>

namespace decant {
namespace {

struct WidthCase {
    const char* name;
    QString text;
    int cells;
};

void PrintTo(const WidthCase& width, std::ostream* out) {
    *out << width.name;
}

class DisplayWidth : public testing::TestWithParam<WidthCase> {};

TEST_P(DisplayWidth, countsTheCellsATerminalGives) {
    EXPECT_EQ(displayWidth(GetParam().text), GetParam().cells);
    // Padding reaches the width in cells, whatever the characters.
    EXPECT_EQ(displayWidth(padToDisplayWidth(GetParam().text, 20)), std::max(20, GetParam().cells));
}

INSTANTIATE_TEST_SUITE_P(
    Texts, DisplayWidth,
    testing::Values(
        WidthCase{"latin", QStringLiteral("Caf\u00e9 del Mar"), 12},
        WidthCase{"combiningMarks", QStringLiteral("Cafe\u0301 \u1EC7\u0323"), 6},
        WidthCase{"kanjiAndKana", QStringLiteral("\u6771\u4EAC\u30D5\u30A1\u30F3\u30AF"), 12},
        WidthCase{"mixedCJKAndLatin", QStringLiteral("01 \u6625\u3088\u6765\u3044 (Live)"), 18},
        WidthCase{"hangulSyllablesAndJamo", QStringLiteral("\uD55C\uAD6D \u1100\u1161\u11A8"), 7},
        WidthCase{"fullwidthForms", QStringLiteral("\uFF21\uFF22\uFF23"), 6},
        WidthCase{"ideographBeyondTheBasicPlane", QStringLiteral("\U00020000x"), 3},
        WidthCase{"emoji", QStringLiteral("\U0001F3B5 Song"), 7},
        WidthCase{"zeroWidthAndControls", QStringLiteral("a\u200Bb\u200Dc\td"), 4},
        WidthCase{"empty", QString(), 0}),
    [](const testing::TestParamInfo<WidthCase>& info) { return info.param.name; });

} // namespace
} // namespace decant
