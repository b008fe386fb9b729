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
        // A control character takes the cells of its escape: "\\t".
        WidthCase{"zeroWidthAndControls", QStringLiteral("a\u200Bb\u200Dc\td"), 6},
        WidthCase{"empty", QString(), 0}),
    [](const testing::TestParamInfo<WidthCase>& info) { return info.param.name; });

struct EscapeCase {
    const char* name;
    QString text;
    QString escaped;
    QString escapedKeepingLineBreaks;
};

void PrintTo(const EscapeCase& escape, std::ostream* out) {
    *out << escape.name;
}

class EscapeControlCharacters : public testing::TestWithParam<EscapeCase> {};

TEST_P(EscapeControlCharacters, showsEveryControlCharacterAsAnEscapeAsWideAsCounted) {
    const EscapeCase& escape = GetParam();
    EXPECT_EQ(escapeControlCharacters(escape.text), escape.escaped);
    EXPECT_EQ(escapeControlCharacters(escape.text, LineBreaks::Keep),
              escape.escapedKeepingLineBreaks);
    EXPECT_EQ(displayWidth(escape.text), displayWidth(escape.escaped));
}

INSTANTIATE_TEST_SUITE_P(
    Texts, EscapeControlCharacters,
    testing::Values(
        EscapeCase{"titleColourAndBell", QStringLiteral("\x1b]0;PWNED\x07\x1b[31mRed"),
                   QStringLiteral("\\e]0;PWNED\\a\\e[31mRed"),
                   QStringLiteral("\\e]0;PWNED\\a\\e[31mRed")},
        EscapeCase{"linesAndTabs", QStringLiteral("a\nb\tc\r\x01"),
                   QStringLiteral("a\\nb\\tc\\r\\x01"), QStringLiteral("a\nb\\tc\\r\\x01")},
        EscapeCase{"deleteAndC1", QStringLiteral("\u009b31m\u007f\u0085"),
                   QStringLiteral("\\x9b31m\\x7f\\x85"), QStringLiteral("\\x9b31m\\x7f\\x85")},
        EscapeCase{"lineAndParagraphSeparators", QStringLiteral("a\u2028b\u2029"),
                   QStringLiteral("a\\u2028b\\u2029"), QStringLiteral("a\\u2028b\\u2029")},
        EscapeCase{"textWithoutControls", QStringLiteral("AC\\DC \u6771\u4EAC e\u0301"),
                   QStringLiteral("AC\\DC \u6771\u4EAC e\u0301"),
                   QStringLiteral("AC\\DC \u6771\u4EAC e\u0301")}),
    [](const testing::TestParamInfo<EscapeCase>& info) { return info.param.name; });

} // namespace
} // namespace decant
