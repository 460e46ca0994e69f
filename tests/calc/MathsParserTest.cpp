// The component as its owner uses it: properties, variable names, Language, and what a failed
// compile leaves behind.
#include "CalcTesting.h"

#include "TempFolder.h"

#include <QDir>

#include <gtest/gtest.h>

namespace {

TEST(MathsParser, DefaultsOnThisSystem)
{
    QObject form;
    auto *calculator = new MathsParser(&form);
    EXPECT_EQ(calculator->parent(), &form);
    EXPECT_EQ(calculator->language(), 0); // no Windows directory, so no Japanese font
    EXPECT_EQ(calculator->v1Name(), "a");
    EXPECT_EQ(calculator->v5Name(), "e");
    EXPECT_EQ(calculator->v8Name(), "x");
    EXPECT_EQ(calculator->v3(), 0);
    EXPECT_EQ(calculator->value(), 0); // nothing compiled yet
}

TEST(MathsParser, LanguageFollowsTheJapaneseFont)
{
    TempFolder windows;
    EXPECT_EQ(MathsParser::languageFor(""), 0);
    EXPECT_EQ(MathsParser::languageFor(windows.path()), 0);
    ASSERT_TRUE(QDir(windows.path()).mkdir("Fonts"));
    windows.write("Fonts/MSMINCHO.TTC", "font");
    EXPECT_EQ(MathsParser::languageFor(windows.path()), 1);
}

TEST(MathsParser, PropertiesByName)
{
    MathsParser p;
    ASSERT_TRUE(p.setProperty("Language", 1));
    ASSERT_TRUE(p.setProperty("V2Name", "rate"));
    ASSERT_TRUE(p.setProperty("V2", 0.5));
    ASSERT_TRUE(p.setProperty("Expression", "rate*8"));
    EXPECT_EQ(p.property("Expression").toString(), "rate*8");
    EXPECT_EQ(p.property("Value").toDouble(), 4);
    EXPECT_EQ(p.property("V2Name").toString(), "rate");
    EXPECT_EQ(p.language(), 1);
}

TEST(MathsParser, FailedCompileThenGoodOne)
{
    JapaneseParser p;
    EXPECT_EQ(p.calc("1+2"), 3);
    EXPECT_EQ(failureOf([&] { p.setExpression("2x"); }), kSyntaxFailure);
    EXPECT_EQ(p.value(), 0); // the previous expression is gone
    EXPECT_EQ(failureOf([&] { p.setExpression("(1"); }), kBracketFailure);
    EXPECT_EQ(p.calc("2*3"), 6);
    EXPECT_EQ(p.expression(), "2*3");
}

TEST(MathsParser, ShorterExpressionAfterLongerOne)
{
    JapaneseParser p;
    EXPECT_EQ(p.calc("(1+2)*(3+4)-(5+6)/(7+8)"), 21 - 11.0 / 15);
    EXPECT_EQ(p.calc("7"), 7);
}

class RefusedName : public testing::TestWithParam<const char *>
{
};

TEST_P(RefusedName, KeepsTheOldName)
{
    MathsParser p;
    EXPECT_NE(failureOf([&] { p.setV3Name(QString::fromUtf8(GetParam())); }), "no error");
    EXPECT_EQ(p.v3Name(), "c");
}

INSTANTIATE_TEST_SUITE_P(Calc, RefusedName,
                         testing::Values("a1", "x.y", "a+", "a-", "a*", "a/", "a^", "(a", "a]",
                                         "{a", "a!", "a&", "a%", "@", "#", "$", "a b",
                                         "abcdefghij"));

TEST(MathsParser, AcceptedNames)
{
    JapaneseParser p;
    p.setV1Name("abcdefghi");
    p.setV2Name("");
    p.setV3Name("Rate");
    p.setV4Name("値");
    p.setV1(2);
    p.setV3(3);
    p.setV4(4);
    EXPECT_EQ(p.calc("abcdefghi*RATE+値"), 10);
    EXPECT_EQ(failureOf([&] { p.setExpression("b"); }), kSyntaxFailure);
}

TEST(MathsParser, VariableNumberOutOfRange)
{
    MathsParser p;
    EXPECT_NE(failureOf([&] { p.setVariable(0, 1); }), "no error");
    EXPECT_NE(failureOf([&] { p.variableName(9); }), "no error");
}

} // namespace
