#include "app/RunProgressWidget.h"

#include <gtest/gtest.h>

#include <ostream>

namespace decant {
namespace {

struct ProgressCase {
    RunProgress progress;
    std::optional<double> fraction;
    const char* text;
};

void PrintTo(const ProgressCase& given, std::ostream* out) {
    *out << given.text;
}

class RunProgressWidgetFollows : public testing::TestWithParam<ProgressCase> {};

TEST_P(RunProgressWidgetFollows, theRunsProgress) {
    RunProgressWidget widget;
    widget.showProgress(GetParam().progress);
    const std::optional<double> fraction = RunProgressWidget::fractionDone(GetParam().progress);
    ASSERT_EQ(fraction.has_value(), GetParam().fraction.has_value());
    EXPECT_EQ(!widget.isHidden(), fraction.has_value());
    if (fraction) {
        EXPECT_DOUBLE_EQ(*fraction, *GetParam().fraction);
        EXPECT_EQ(widget.value(), qRound(*fraction * RunProgressWidget::steps));
        EXPECT_EQ(widget.text(), GetParam().text);
    }
}

using std::chrono::seconds;

// Decoding counts for a tenth of each file, the library's share for the
// rest; a failed file is done once decoded.
INSTANTIATE_TEST_SUITE_P(
    Runs, RunProgressWidgetFollows,
    testing::Values(
        ProgressCase{{4, 4, 4, false, std::nullopt, 0, false}, std::nullopt, "ended"},
        ProgressCase{{0, 0, 0, true, std::nullopt, 0, false}, std::nullopt, "empty"},
        ProgressCase{{10, 5, 0, true, std::nullopt, 0, false}, 0.05, "0 of 10 files done"},
        // Under a second left is not worth telling.
        ProgressCase{{10, 6, 0, true, seconds(0), 0, false}, 0.06, "0 of 10 files done"},
        ProgressCase{
            {10, 10, 4, true, seconds(72), 2, true}, 0.64, "6 of 10 files done · 1:12 left"},
        ProgressCase{
            {3, 3, 3, true, seconds(3725), 0, true}, 1.0, "3 of 3 files done · 1:02:05 left"}));

} // namespace
} // namespace decant
