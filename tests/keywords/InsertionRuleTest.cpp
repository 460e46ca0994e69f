#include "keywords/InsertionRule.h"
#include "CaseName.h"
#include "keywords/FirstCharacterOrder.h"

#include "QtPrinters.h"

#include <gtest/gtest.h>

namespace {

struct Insertion
{
    const char *name;
    QStringList rows;
    QString keyword;
    QStringList expected;
};

class InsertionRule : public ::testing::TestWithParam<Insertion>
{
};

TEST_P(InsertionRule, PlacesTheKeyword)
{
    const Insertion &c = GetParam();
    EXPECT_EQ(insertByFirstCharacter(c.rows, c.keyword, FirstCharacterOrder()), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, InsertionRule,
    ::testing::Values(
        Insertion{"EmptyList", {}, "a", {"a"}},
        Insertion{"EndsItsGroupCaseIgnored",
                  {"apple", "Banana", "cherry"},
                  "bread",
                  {"apple", "Banana", "bread", "cherry"}},
        Insertion{"GathersScatteredGroup",
                  {"apple", "cherry", "avocado"},
                  "almond",
                  {"apple", "avocado", "almond", "cherry"}},
        Insertion{"GroupGatheredAtFirstMembersPlace",
                  {"x", "b1", "a1", "b2", "c", "b3"},
                  "b4",
                  {"x", "b1", "b2", "b3", "b4", "a1", "c"}},
        Insertion{"NewGroupBeforeFirstLaterRow",
                  {"apple", "cherry"},
                  "banana",
                  {"apple", "banana", "cherry"}},
        Insertion{"NewGroupAtEnd", {"apple", "cherry"}, "zebra", {"apple", "cherry", "zebra"}},
        Insertion{
            "UpperCaseKeywordJoinsLowerGroup", {"memo", "zoo"}, "Mail", {"memo", "Mail", "zoo"}},
        Insertion{"DigitsBeforeLetters", {"apple", "banana"}, "7zip", {"7zip", "apple", "banana"}},
        Insertion{"KanaAfterLatin", {"apple", "メモ", "zoo"}, "あ", {"apple", "あ", "メモ", "zoo"}},
        Insertion{"UnorderedRowsTakeTheFirstLaterOne", {"d", "b", "e"}, "c", {"c", "d", "b", "e"}},
        Insertion{"SurrogatePairIsOneCharacter", {"𠀋a", "z"}, "𠀋b", {"𠀋a", "𠀋b", "z"}},
        Insertion{"EmptyRowsStayPut", {"", "b"}, "a", {"", "a", "b"}},
        Insertion{"FullWidthIsAnotherCharacter", {"Ａ1", "b"}, "a", {"Ａ1", "a", "b"}}),
    CaseName());

} // namespace
