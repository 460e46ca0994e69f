// The compile: rewriting into slot references, the reduction into operation records, and the
// errors raised on the way.
#include "CalcTesting.h"
#include "CaseName.h"

#include "calc/ExpressionRewriter.h"
#include "calc/OperationReducer.h"

#include <gtest/gtest.h>

namespace {

const VariableNames DefaultNames = {"a", "b", "c", "d", "e", "f", "g", "x"};

struct RewriteCase
{
    const char *name;
    const char *input;
    const char *compiled;
    std::vector<double> literals;
};

class Rewriting : public testing::TestWithParam<RewriteCase>
{
};

TEST_P(Rewriting, CompiledTextAndLiterals)
{
    const RewriteCase &c = GetParam();
    const RewrittenExpression r = ExpressionRewriter(DefaultNames, 1).rewrite(c.input);
    EXPECT_EQ(r.compiled.toStdString(), c.compiled);
    EXPECT_EQ(r.literals, c.literals);
}

INSTANTIATE_TEST_SUITE_P(
    Calc, Rewriting,
    testing::ValuesIn(std::vector<RewriteCase>{
        {"Product", "2*(3+4)", "(10*(11+12))", {2, 3, 4}},
        {"LeadingMinus", "-3^2", "(10-11^12)", {0, 3, 2}},
        {"FunctionCaseAndSpaces", "Sin(0) + 1", "(@$#(10)+11)", {0, 1}},
        {"CurlyBracketsAndImpliedProduct", "{1+2}(x)", "((10+11)*(08))", {1, 2}},
        {"Pi", "2*pi", "(10*11)", {2, 3.14159265358979}},
        {"PiGluedToDigit", "2pi", "(10)", {23.14159265358979}},
        {"SpacesIgnored", "3 + 4", "(10+11)", {3, 4}},
        {"UpperCaseFunction", "SQRT(16)", "(@@#(10))", {16}},
        {"SquareAndCurly", "[2]*{3}", "((10)*(11))", {2, 3}},
        {"MinusAfterBracket", "(-3)", "((10-11))", {0, 3}},
        {"PlusMinusCollapses", "5+-3", "(10-11)", {5, 3}},
        {"LeadingPlus", "+3", "(10+11)", {0, 3}},
        {"LongerFunctionNamesFirst", "arcsin(1)+erfc(1)", "(@##(10)+#@$(11))", {1, 1}},
        {"EIsAVariable", "e", "(05)", {}},
        {"PointForms", ".5+5.", "(10+11)", {0.5, 5}},
    }),
    CaseName());

TEST(Rewriting, FunctionAndPiNamesAreNeverVariables)
{
    const VariableNames names = {"sin", "pi", "c", "d", "e", "f", "g", "x"};
    EXPECT_EQ(ExpressionRewriter(names, 1).rewrite("sin(pi)").compiled, "(@$#(10))");
}

TEST(Rewriting, LongerNameIsSubstitutedBeforeItsPart)
{
    const VariableNames names = {"a", "rate", "", "", "", "", "", "r"};
    EXPECT_EQ(ExpressionRewriter(names, 1).rewrite("rate*r+a").compiled, "(02*08+01)");
}

TEST(Rewriting, SpaceBetweenBracketsStillMakesAProduct)
{
    EXPECT_EQ(ExpressionRewriter(DefaultNames, 1).rewrite("(1) [2]").compiled, "((10)*(11))");
}

TEST(Rewriting, NameDuplicatedAfterACompileIsClearedAtTheNext)
{
    JapaneseParser p;
    p.setV1(5);
    EXPECT_EQ(p.calc("a"), 5);
    p.setV2Name("a");
    EXPECT_EQ(p.calc("a"), 5);
    EXPECT_EQ(p.v2Name(), "");
}

TEST(Rewriting, DuplicateNameIsClearedForGoodEvenWhenTheCompileFails)
{
    JapaneseParser p;
    p.setV1Name("a");
    p.setV2Name("a");
    p.setV1(5);
    EXPECT_NE(failureOf([&] { p.setExpression("a+%"); }), "no error");
    EXPECT_EQ(p.v2Name(), "");
    EXPECT_EQ(p.calc("a"), 5);
}

struct ReductionCase
{
    const char *name;
    const char *input;
    std::vector<Operation> operations;
    int result;
};

class Reduction : public testing::TestWithParam<ReductionCase>
{
};

TEST_P(Reduction, Records)
{
    const ReductionCase &c = GetParam();
    const RewrittenExpression r = ExpressionRewriter(DefaultNames, 1).rewrite(c.input);
    CompiledProgram program;
    OperationReducer(r.base(), 1).reduce(r.compiled, program);
    EXPECT_EQ(program.operations, c.operations);
    EXPECT_EQ(program.result, c.result);
}

using enum OpCode;

INSTANTIATE_TEST_SUITE_P(
    Calc, Reduction,
    testing::ValuesIn(std::vector<ReductionCase>{
        {"InnerBracketFirst", "2*(3+4)", {{Add, 11, 12, 1}, {Multiply, 10, 14, 1}}, 15},
        {"PowerBeforeLeadingMinus", "-3^2", {{Power, 11, 12, 1}, {Subtract, 10, 14, 1}}, 15},
        {"FunctionTakesItsBracket", "sin(0)+1", {{Sin, 10, 0, 1}, {Add, 13, 11, 1}}, 14},
        {"RightBracketFirst",
         "(1+2)(3+4)",
         {{Add, 12, 13, 1}, {Add, 10, 11, 1}, {Multiply, 16, 15, 1}},
         17},
        {"PlainBracketIsItsContent", "(2)+1", {{Add, 10, 11, 1}}, 13},
        {"NestedPlainBrackets", "((2))", {}, 10},
        {"MinusAfterOperatorIsSign", "5--3", {{Subtract, 10, 11, -1}}, 13},
        {"DivisionBeforeMultiplication", "2*6/3", {{Divide, 11, 12, 1}, {Multiply, 10, 14, 1}}, 15},
        {"SubtractionBeforeAddition", "1+2-3", {{Subtract, 11, 12, 1}, {Add, 10, 14, 1}}, 15},
    }),
    CaseName());

struct CompileErrorCase
{
    const char *name;
    std::string input;
    std::string failure;
};

class CompileError : public testing::TestWithParam<CompileErrorCase>
{
};

TEST_P(CompileError, Raised)
{
    JapaneseParser p;
    const QString input = QString::fromStdString(GetParam().input);
    EXPECT_EQ(failureOf([&] { p.setExpression(input); }), GetParam().failure);
}

std::string notAnIntegerFailure(const char *text)
{
    return std::string("Error: '") + text + "' は整数ではありません";
}

INSTANTIATE_TEST_SUITE_P(
    Calc, CompileError,
    testing::ValuesIn(std::vector<CompileErrorCase>{
        {"OpenBracketLeft", "(1+2", kBracketFailure},
        {"CloseBracketLeft", "1+2)", kBracketFailure},
        {"BracketsCountedAfterSquare", "[1+2)]", kBracketFailure},
        {"Percent", "5%", kSyntaxFailure},
        {"Comma", "2,5", kSyntaxFailure},
        {"UnknownVariable", "y+1", kSyntaxFailure},
        {"DoubleByteText", "１+1", kSyntaxFailure},
        {"TwoPoints", "1..2", "Error: '1..2' は浮動小数点数ではありません"},
        {"ThreeParts", "1.2.3+1", "Error: '1.2.3' は浮動小数点数ではありません"},
        {"LonePoint", ".", "Error: '.' は浮動小数点数ではありません"},
        {"NumberBeforeBadCharacter", "1..2%", "Error: '1..2' は浮動小数点数ではありません"},
        {"LiteralBeyondDouble", std::string(400, '9'), "Error: 浮動小数点数のオーバーフロー"},
        {"EmptyBracket", "()", notAnIntegerFailure("")},
        {"Empty", "", notAnIntegerFailure("")},
        {"FunctionWithoutBracket", "sin5", notAnIntegerFailure("@$#10")},
        {"OperatorAtEnd", "3+", notAnIntegerFailure("")},
        {"OperatorAtBracketStart", "(*3)", notAnIntegerFailure("*1")},
        {"MisorderedBrackets", "1))+((2", notAnIntegerFailure("))")},
        // Decided here: what would read outside the value table is an improper expression.
        {"NumberBeforeBracket", "2(3+4)", kSyntaxFailure},
        {"NumberBeforeVariable", "2x", kSyntaxFailure},
        {"NumberBeforeFunction", "3sin(0)", kSyntaxFailure},
        {"ExponentNotation", "1e5", kSyntaxFailure},
        {"BracketBeforeNumber", "(2)3", kSyntaxFailure},
        {"ThreeMinuses", "5---3", kSyntaxFailure},
        {"MinusesAfterTimes", "5*--3", kSyntaxFailure},
        {"PlusAfterOperator", "5*+3", kSyntaxFailure},
        {"TwoPluses", "(++3)", kSyntaxFailure},
    }),
    CaseName());

// Runs of the code characters @ # $, typed or glued: each code is removed in table order, and
// what that leaves is improper; what it removes goes on to the reduction.
INSTANTIATE_TEST_SUITE_P(CodeRuns, CompileError,
                         testing::ValuesIn(std::vector<CompileErrorCase>{
                             {"TwoCodes", "sinsin(0)", notAnIntegerFailure("@$#12")},
                             // "@@@" goes first and leaves "@#@", the code of exp.
                             {"EmptiedOnlyInTableOrder", "@#@@@@(1)", notAnIntegerFailure("@#@12")},
                             {"NoCode", "@@(1)", kSyntaxFailure},
                         }),
                         CaseName());

TEST(CompileError, EnglishWhenLanguageIsNotOne)
{
    MathsParser p;
    EXPECT_EQ(failureOf([&] { p.setExpression("(1"); }),
              "BracketError: Number of bracket is miss-matching. Review your expression.");
    EXPECT_EQ(failureOf([&] { p.setExpression("1%"); }),
              "SyntaxError: The expression is improper. Please check it.");
    EXPECT_EQ(failureOf([&] { p.setExpression("2x"); }),
              "SyntaxError: The expression is improper. Please check it.");
}

// 89 literals and operations fit the table's two-digit slots; one more is refused.
TEST(CompileError, SlotLimit)
{
    JapaneseParser p;
    const QString sum45 = QString("1+").repeated(44) + "1";
    EXPECT_EQ(p.calc(sum45), 45);
    EXPECT_EQ(failureOf([&] { p.setExpression(sum45 + "+1"); }), kSyntaxFailure);

    const auto nested = [](int depth) {
        return QString("abs(").repeated(depth) + "1" + QString(")").repeated(depth);
    };
    EXPECT_EQ(p.calc(nested(88)), 1);
    EXPECT_EQ(failureOf([&] { p.setExpression(nested(89)); }), kSyntaxFailure);

    const QString literals90 = "(" + QString("1)*(").repeated(89) + "1)";
    EXPECT_EQ(failureOf([&] { p.setExpression(literals90); }), kSyntaxFailure);
}

} // namespace
