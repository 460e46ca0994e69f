#include "calc/NumberFormat.h"
#include "CaseName.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

struct FormatCase
{
    const char *name;
    double value;
    const char *text;
};

class Format : public testing::TestWithParam<FormatCase>
{
};

TEST_P(Format, General15Digits)
{
    EXPECT_EQ(formatGeneral(GetParam().value, '.').toStdString(), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(Calc, Format,
                         testing::ValuesIn(std::vector<FormatCase>{
                             {"Integer", 6, "6"},
                             {"Third", 1.0 / 3, "0.333333333333333"},
                             {"TwoThirdsRoundsUp", 2.0 / 3, "0.666666666666667"},
                             {"SixteenDigits", 1e15, "1E15"},
                             {"FifteenDigits", 123456789012345, "123456789012345"},
                             {"RoundsToSixteenDigits", 999999999999999.9, "1E15"},
                             {"BelowTenThousandth", 1e-5, "1E-5"},
                             {"TenThousandth", 0.0001, "0.0001"},
                             {"SmallPlain", 0.00012345, "0.00012345"},
                             {"SmallScientific", -1.5e-7, "-1.5E-7"},
                             {"LargeScientific", 1.2345678901234567e20, "1.23456789012346E20"},
                             {"ThreeDigitExponent", 1e-300, "1E-300"},
                             {"Subnormal", 4.9406564584124654e-324, "4.94065645841247E-324"},
                             {"Negative", -2.5, "-2.5"},
                             {"Zero", 0, "0"},
                             {"NegativeZero", -0.0, "0"},
                             {"TrailingZerosOfInteger", 1200, "1200"},
                             {"SumOfTenths", 0.1 + 0.2, "0.3"},
                             {"TinyDifference", 0.1 + (0.2 - 0.3), "2.77555756156289E-17"},
                             {"NaN", std::numeric_limits<double>::quiet_NaN(), "NAN"},
                             {"Infinity", std::numeric_limits<double>::infinity(), "INF"},
                             {"NegativeInfinity", -std::numeric_limits<double>::infinity(), "-INF"},
                         }),
                         CaseName());

TEST(Format, LocaleSeparator)
{
    EXPECT_EQ(formatGeneral(-2.5, ','), "-2,5");
    EXPECT_EQ(formatGeneral(1.5e-7, ','), "1,5E-7");
    EXPECT_EQ(formatGeneral(0.0001, ','), "0,0001");
}

} // namespace
