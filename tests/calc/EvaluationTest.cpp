// Reading Value: precedence, signs, functions, and the errors of the evaluation.
#include "CalcTesting.h"
#include "CaseName.h"

#include <gtest/gtest.h>

#include <cfenv>
#include <cmath>
#include <numbers>

namespace {

struct ValueCase
{
    const char *name;
    const char *input;
    double expected;
    double tolerance = 0; // 0: exactly
};

class Value : public testing::TestWithParam<ValueCase>
{
};

TEST_P(Value, Computed)
{
    const ValueCase &c = GetParam();
    JapaneseParser p;
    const double v = p.calc(c.input);
    if (c.tolerance == 0)
        EXPECT_EQ(v, c.expected);
    else
        EXPECT_NEAR(v, c.expected, c.tolerance);
}

INSTANTIATE_TEST_SUITE_P(Precedence, Value,
                         testing::ValuesIn(std::vector<ValueCase>{
                             {"BracketFirst", "2*(3+4)", 14},
                             {"PowerBeforeMinus", "-3^2", -9},
                             {"FunctionBeforePlus", "sin(0)+1", 1},
                             {"BracketsSideBySide", "(1+2)(3+4)", 21},
                             {"PlainBracket", "(2)+1", 3},
                             {"NestedPlainBracket", "((2))", 2},
                             {"ProductWithBracket", "2*(3)", 6},
                             {"PowerLeftAssociative", "2^3^2", 64},
                             {"DivisionLeftAssociative", "8/4/2", 1},
                             {"SubtractionLeftAssociative", "7-2-1", 4},
                             // Subtraction first: 0.1+(0.2-0.3), not (0.1+0.2)-0.3.
                             {"SubtractionBeforeAddition", "0.1+0.2-0.3", 0.1 + (0.2 - 0.3)},
                             // Division first keeps the product in range: 10^300*(10^10/10^20).
                             {"DivisionBeforeMultiplication", "10^300*10^10/10^20", 1e290},
                             {"MisorderedBracketsStillAdd", "1)+(2", 3},
                             {"VariablesAreZero", "x*2+1", 1},
                             {"PowerInRepeatedSquares", "3^13", 1594323},
                             {"ZeroToTheZero", "0^0", 1},
                             {"ZeroToPositive", "0^2.5", 0},
                         }),
                         CaseName());

INSTANTIATE_TEST_SUITE_P(Signs, Value,
                         testing::ValuesIn(std::vector<ValueCase>{
                             {"NegativeExponent", "2^-1", 0.5},
                             {"NegativeIntegerExponent", "4^-2", 0.0625},
                             {"TimesMinus", "2*-3", -6},
                             {"DividedByMinus", "6/-3", -2},
                             {"MinusMinus", "5--3", 8},
                             {"LeadingMinusOfBracket", "-(2+3)", -5},
                             {"MinusInBracket", "2*(-3)", -6},
                             {"DoubleLeadingMinus", "--3", 3},
                             {"PlusMinus", "+-3", -3},
                             {"LeadingPlus", "+3", 3},
                             {"LeadingPlusInBracket", "(+3)*2", 6},
                             {"NegativeBaseIntegerPower", "(0-2)^3", -8},
                         }),
                         CaseName());

INSTANTIATE_TEST_SUITE_P(Functions, Value,
                         testing::ValuesIn(std::vector<ValueCase>{
                             {"Exp", "exp(1)", std::numbers::e},
                             {"Ln", "ln(exp(2))", 2, 1e-15},
                             {"Log10", "log10(1000)", 3},
                             {"Sqrt", "sqrt(16)", 4},
                             {"Abs", "abs(0-5)", 5},
                             {"SinOfHalfPi", "sin(pi/2)", 1},
                             {"Cos", "cos(0)", 1},
                             {"Tan", "tan(pi/4)", 1, 1e-14},
                             {"ArcSin", "arcsin(1)", std::numbers::pi / 2},
                             {"ArcCos", "arccos(0-1)", std::numbers::pi},
                             {"ArcTan", "arctan(1)", std::numbers::pi / 4},
                             {"SinBeyondTwoTo63", "sin(9223372036854775808)", 0},
                             {"CosBeyondTwoTo63", "cos(0-9223372036854775808)", 0},
                             // The approximation is not exact at 0.
                             {"ErfAtZero", "erf(0)", -3.0e-8, 1e-9},
                             {"ErfcAtZero", "erfc(0)", 1.00000003, 1e-8},
                             {"Erf", "erf(1)", 0.8427007929, 1.2e-7},
                             {"ErfcNegative", "erfc(0-1)", 1.8427007929, 1.2e-7},
                             {"ErfFarOut", "erf(100000)", 1},
                             {"NamesAnyCase", "SQRT(16)", 4},
                             // Too small for a double is no error.
                             {"UnderflowToZero", "exp(0-1000)", 0},
                             {"UnderflowByPower", "10^-400", 0},
                             {"UnderflowWhereThePositivePowerOverflows", "10^-5000", 0},
                             {"Subnormal", "2^-1074", 4.9406564584124654e-324},
                             {"LargePowerOfOne", "1^10000000000.5", 1},
                         }),
                         CaseName());

struct EvaluationErrorCase
{
    const char *name;
    const char *input;
    const char *message;
};

class EvaluationError : public testing::TestWithParam<EvaluationErrorCase>
{
};

// These compile; only reading Value fails.
TEST_P(EvaluationError, RaisedOnRead)
{
    JapaneseParser p;
    p.setExpression(GetParam().input);
    EXPECT_EQ(failureOf([&] { p.value(); }), std::string("Error: ") + GetParam().message);
}

constexpr const char *DivisionByZero = "0 による浮動小数点数除算";
constexpr const char *Invalid = "不正な浮動小数点数演算命令";
constexpr const char *Overflow = "浮動小数点数のオーバーフロー";

INSTANTIATE_TEST_SUITE_P(Calc, EvaluationError,
                         testing::ValuesIn(std::vector<EvaluationErrorCase>{
                             {"DivideByZero", "1/0", DivisionByZero},
                             {"LnOfZero", "ln(0)", DivisionByZero},
                             {"Log10OfZero", "log10(0)", DivisionByZero},
                             {"ZeroToMinusOne", "0^-1", DivisionByZero},
                             {"ZeroByZero", "0/0", Invalid},
                             {"SqrtOfNegative", "sqrt(0-1)", Invalid},
                             {"LnOfNegative", "ln(0-1)", Invalid},
                             {"ArcSinOutOfRange", "arcsin(2)", Invalid},
                             {"NegativeBaseFractionalPower", "(0-8)^0.5", Invalid},
                             {"ExpBeyondDouble", "exp(1000)", Overflow},
                             {"PowerBeyondDouble", "10^400", Overflow},
                             {"ProductBeyondDouble", "10^300*10^10", Overflow},
                             {"HugeIntegerPower", "2^2147483647", Overflow},
                             {"ReciprocalOfUnderflow", "0.5^-20000", Overflow},
                         }),
                         CaseName());

TEST(EvaluationError, CompileStaysUsable)
{
    JapaneseParser p;
    p.setExpression("1/x");
    EXPECT_EQ(failureOf([&] { p.value(); }), std::string("Error: ") + DivisionByZero);
    p.setV8(4);
    EXPECT_EQ(p.value(), 0.25);
}

TEST(Evaluation, VariablesAreReadAtEachEvaluation)
{
    JapaneseParser p;
    p.setExpression("a+b*c-d/e^f+g-x");
    EXPECT_EQ(p.value(), 0);
    for (int i = 1; i <= 8; ++i)
        p.setVariable(i, i + 1);
    // 2+(3*4-5/6^7)+(8-9): subtractions before additions.
    EXPECT_DOUBLE_EQ(p.value(), 2 + (3 * 4 - 5.0 / std::pow(6, 7)) + (8 - 9));
}

TEST(Evaluation, FloatingPointFlagsOfTheCallerAreKept)
{
    JapaneseParser p;
    p.setExpression("1/0");
    std::feclearexcept(FE_ALL_EXCEPT);
    std::feraiseexcept(FE_INEXACT);
    EXPECT_EQ(failureOf([&] { p.value(); }), std::string("Error: ") + DivisionByZero);
    EXPECT_EQ(std::fetestexcept(FE_ALL_EXCEPT), FE_INEXACT);
    std::feclearexcept(FE_ALL_EXCEPT);
}

// Error flags the caller left set neither fail an evaluation nor decide its error, and they are
// still set afterwards.
TEST(Evaluation, ErrorFlagsOfTheCallerAreKept)
{
    JapaneseParser p;
    p.setExpression("1+2");
    std::feclearexcept(FE_ALL_EXCEPT);
    std::feraiseexcept(FE_DIVBYZERO | FE_OVERFLOW);
    const double sum = p.value();
    p.setExpression("0/0");
    const std::string failure = failureOf([&] { p.value(); });
    const int flags = std::fetestexcept(FE_ALL_EXCEPT);
    std::feclearexcept(FE_ALL_EXCEPT);
    EXPECT_EQ(sum, 3);
    EXPECT_EQ(failure, std::string("Error: ") + Invalid);
    EXPECT_EQ(flags, FE_DIVBYZERO | FE_OVERFLOW);
}

} // namespace
