#include "keywords/KeywordReach.h"
#include "CaseName.h"
#include "keywords/KeywordText.h"

#include "QtPrinters.h"

#include <gtest/gtest.h>

#include <random>

namespace {

// Each row's shortest completing text, or "#n" when row n is offered in its place.
QStringList described(const QStringList &keywords)
{
    const std::vector<KeywordReach::Row> rows = KeywordReach::compute(keywords);
    QStringList texts;
    for (size_t i = 0; i < rows.size(); ++i)
        texts.append(rows[i].unreachable() ? QStringLiteral("#%1").arg(rows[i].takenBy)
                                           : keywords[qsizetype(i)].left(rows[i].typed));
    return texts;
}

struct Reach
{
    const char *name;
    QStringList keywords;
    QStringList expected;
};

class KeywordReachTable : public ::testing::TestWithParam<Reach>
{
};

TEST_P(KeywordReachTable, GivesEachRowItsShortestTextOrWhatTakesIt)
{
    EXPECT_EQ(described(GetParam().keywords), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, KeywordReachTable,
    ::testing::Values(
        Reach{"EarlierLongerKeywordShadows",
              {"memorandum", "memo", "mem", "met"},
              {"m", "#0", "#0", "met"}},
        Reach{"LaterLongerKeywordIsReachedPastTheShorter", {"memo", "memorandum"}, {"m", "memor"}},
        Reach{"ShadowedInOtherCase", {"MEMORANDUM", "memo"}, {"M", "#0"}},
        Reach{"SameSpellingInOtherCase", {"Memo", "apple", "memo", "MEMO"}, {"M", "a", "#0", "#0"}},
        Reach{"FirstOfSeveralCandidatesTakesIt", {"abc", "abcd", "ab"}, {"a", "abcd", "#0"}},
        Reach{"DoubleByteFirstCharacter", {"日本語", "日本", "日記"}, {"日", "#0", "日記"}},
        Reach{"PrefixOfNothing", {"apple", "banana", "apricot"}, {"a", "b", "apr"}},
        Reach{"EmptyRowIsNeitherReachedNorShadowed", {"", "a"}, {"", "a"}},
        Reach{"SurrogatePairNeverCut", {"𠀋x", "𠀋y", "𠀋"}, {"𠀋", "𠀋y", "#0"}},
        // U+10400 and U+10401 share their high surrogate; U+10428 is U+10400's small letter.
        Reach{"DifferingLowSurrogates", {"𐐀a", "𐐁a", "𐐨a"}, {"𐐀", "𐐁", "#0"}}),
    CaseName());

// Completion itself: the first row beginning with the typed text.
qsizetype completes(const QStringList &keywords, QStringView typed)
{
    for (qsizetype j = 0; j < keywords.size(); ++j)
        if (KeywordText::startsWith(keywords[j], typed))
            return j;
    return -1;
}

TEST(KeywordReach, AgreesWithCompletionOnRandomLists)
{
    // Short words over few letters, in both cases and with a surrogate pair, share long
    // prefixes and often repeat: every split of the tree is reached.
    const QStringList letters{"a", "A", "b", "B", "𐐀", "𐐨", "日"};
    std::mt19937 random(7);
    for (int list = 0; list < 20; ++list) {
        QStringList keywords;
        for (int n = 0; n < 60; ++n) {
            QString word;
            for (int length = 1 + int(random() % 5); length > 0; --length)
                word += letters[qsizetype(random() % letters.size())];
            keywords.append(word);
        }
        const std::vector<KeywordReach::Row> rows = KeywordReach::compute(keywords);
        for (qsizetype i = 0; i < keywords.size(); ++i) {
            const KeywordReach::Row &row = rows[size_t(i)];
            const qsizetype taker = completes(keywords, keywords[i]);
            SCOPED_TRACE(keywords.join(u',').toStdString() + " row " + std::to_string(i));
            if (taker != i) {
                EXPECT_EQ(row.takenBy, taker);
                continue;
            }
            ASSERT_GT(row.typed, 0);
            EXPECT_EQ(completes(keywords, QStringView(keywords[i]).first(row.typed)), i);
            qsizetype shorter = row.typed - 1;
            if (shorter > 0 && keywords[i][shorter].isLowSurrogate())
                --shorter;
            if (shorter > 0) {
                EXPECT_NE(completes(keywords, QStringView(keywords[i]).first(shorter)), i);
            }
        }
    }
}

} // namespace
