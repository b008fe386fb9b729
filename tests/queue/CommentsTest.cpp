#include "queue/Comments.h"

#include <gtest/gtest.h>

#include <limits>

namespace decant {
namespace {

struct Conversion {
    QVariant value;
    qint64 integer;
    bool boolean;
};

void PrintTo(const Conversion& conversion, std::ostream* out) {
    *out << conversion.value.typeName() << " " << conversion.value.toString().toStdString();
}

class ValueConversion : public testing::TestWithParam<Conversion> {};

TEST_P(ValueConversion, followsTheTextAndNumberRules) {
    EXPECT_EQ(integerValue(GetParam().value), GetParam().integer);
    EXPECT_EQ(booleanValue(GetParam().value), GetParam().boolean);
}

constexpr qint64 maximum = std::numeric_limits<qint64>::max();
constexpr qint64 minimum = std::numeric_limits<qint64>::min();

INSTANTIATE_TEST_SUITE_P(
    Texts, ValueConversion,
    testing::Values(
        Conversion{QStringLiteral("3/12"), 3, true}, Conversion{QStringLiteral("03/12"), 3, true},
        Conversion{QStringLiteral("  \t\n42abc"), 42, true},
        Conversion{QStringLiteral("+7"), 7, true}, Conversion{QStringLiteral("-7"), -7, true},
        Conversion{QStringLiteral("+-7"), 0, false}, Conversion{QStringLiteral("- 7"), 0, false},
        Conversion{QStringLiteral(""), 0, false}, Conversion{QStringLiteral("abc"), 0, false},
        Conversion{QStringLiteral("0"), 0, false}, Conversion{QStringLiteral("000"), 0, false},
        Conversion{QStringLiteral("0009"), 9, true}, Conversion{QStringLiteral("  -00t"), 0, true},
        Conversion{QStringLiteral("yes"), 0, true}, Conversion{QStringLiteral("Y"), 0, true},
        Conversion{QStringLiteral("True"), 0, true}, Conversion{QStringLiteral("true"), 0, true},
        Conversion{QStringLiteral("no"), 0, false}, Conversion{QStringLiteral("false"), 0, false},
        Conversion{QStringLiteral("0x1"), 0, false}, Conversion{QStringLiteral("00y"), 0, true},
        Conversion{QStringLiteral("1.9"), 1, true},
        Conversion{QStringLiteral("٣"), 0, false}, // only ASCII digits count
        Conversion{QStringLiteral("9223372036854775807"), maximum, true},
        Conversion{QStringLiteral("9223372036854775808"), maximum, true},
        Conversion{QStringLiteral("99999999999999999999999"), maximum, true},
        Conversion{QStringLiteral("-9223372036854775808"), minimum, true},
        Conversion{QStringLiteral("-99999999999999999999999"), minimum, true}));

INSTANTIATE_TEST_SUITE_P(
    Numbers, ValueConversion,
    testing::Values(Conversion{QVariant(qint64(12)), 12, true},
                    Conversion{QVariant(qint64(0)), 0, false},
                    Conversion{QVariant(qint64(-3)), -3, true}, Conversion{QVariant(2.9), 2, true},
                    Conversion{QVariant(-2.9), -2, true}, Conversion{QVariant(0.25), 0, true},
                    Conversion{QVariant(0.0), 0, false}, Conversion{QVariant(1e300), maximum, true},
                    Conversion{QVariant(-1e300), minimum, true},
                    Conversion{QVariant(int(5)), 5, true}, Conversion{QVariant(true), 1, true},
                    Conversion{QVariant(false), 0, false}));

INSTANTIATE_TEST_SUITE_P(Absent, ValueConversion,
                         testing::Values(Conversion{QVariant(), 0, false},
                                         Conversion{QVariant::fromValue(nullptr), 0, false},
                                         Conversion{QVariant(QVariantList{1}), 0, false}));

} // namespace
} // namespace decant
