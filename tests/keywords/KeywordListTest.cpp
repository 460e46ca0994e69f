#include "keywords/KeywordList.h"

#include "base/TextFile.h"

#include "CaseName.h"
#include "QtPrinters.h"

#include <gtest/gtest.h>

namespace {

struct Lines
{
    const char *name;
    QString text;
};

class KeywordListTable : public ::testing::TestWithParam<Lines>
{
};

// A list read from a text holds the rows splitLines() finds in it, the same as one built from
// them, and hands each back whole however it is asked for.
TEST_P(KeywordListTable, HoldsTheRowsOfTheText)
{
    const QStringList rows = TextFile::splitLines(GetParam().text);
    const KeywordList list = KeywordList::fromLines(GetParam().text);
    EXPECT_EQ(list, rows);
    EXPECT_EQ(list, KeywordList(rows));
    EXPECT_EQ(list.toList(), rows);
    EXPECT_EQ(list.size(), rows.size());
    EXPECT_EQ(list.isEmpty(), rows.isEmpty());
    qsizetype row = 0;
    for (const QStringView text : list)
        EXPECT_EQ(text, list.value(row++));
    EXPECT_EQ(row, rows.size());
    EXPECT_TRUE(list.value(-1).isNull());
    EXPECT_TRUE(list.value(rows.size()).isNull());
    for (qsizetype removed = 0; removed < rows.size(); ++removed) {
        QStringList rest = rows;
        rest.removeAt(removed);
        EXPECT_EQ(list.withoutRow(removed), rest) << "without row " << removed;
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, KeywordListTable,
                         ::testing::Values(Lines{"Nothing", ""},
                                           Lines{"OneRowWithoutLineEnd", "memo"},
                                           Lines{"EveryLineEnd", "a\r\nbb\rccc\nd\n\re"},
                                           Lines{"EmptyRows", "\r\n\r\nx\r\n\r\n"},
                                           Lines{"Japanese", "メモ\r\n日本語の手帳\r\nｶﾅ\r\n"},
                                           Lines{"SurrogatePairs", "😀\r\n𠀋x\r\ny𐐨\r\n"}),
                         CaseName());

TEST(KeywordList, EqualsOnlyTheSameRows)
{
    const KeywordList list(QStringList{"ab", "c"});
    EXPECT_FALSE(list == QStringList({"a", "bc"}));
    EXPECT_FALSE(list == KeywordList(QStringList{"a", "bc"}));
    EXPECT_FALSE(list == QStringList({"ab", "c", ""}));
    EXPECT_EQ(KeywordList(), QStringList());
}

} // namespace
