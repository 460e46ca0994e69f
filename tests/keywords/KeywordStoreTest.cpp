#include "keywords/KeywordStore.h"

#include "base/Error.h"
#include "base/ShiftJis.h"
#include "keywords/KeywordText.h"

#include "FileSizeLimit.h"
#include "QtPrinters.h"
#include "TempFolder.h"

#include <QDir>
#include <QDirIterator>

#include <gtest/gtest.h>

#include <algorithm>

#include <malloc.h>

namespace {

class KeywordStoreTest : public ::testing::Test
{
protected:
    QStringList listed() const
    {
        QStringList names;
        QDirIterator it(dir.file("data"), QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
        while (it.hasNext()) {
            it.next();
            names.append(it.fileName());
        }
        return names;
    }

    TempFolder dir;
    KeywordStore store{dir.path()};
};

TEST_F(KeywordStoreTest, StartsFromNothing)
{
    store.load();
    EXPECT_TRUE(QFileInfo(dir.file("data")).isDir());
    EXPECT_TRUE(dir.exists("data.lst"));
    EXPECT_EQ(dir.read("data.lst"), QByteArray());
    EXPECT_TRUE(store.keywords().isEmpty());
}

TEST_F(KeywordStoreTest, RebuildsTheListFromTheFolderInListingOrder)
{
    dir.write("data/b", "x\r\n");
    dir.write("data/a", "y\r\n");
    dir.write("data/.hidden", "");
    QDir(dir.path()).mkpath("data/c");
    store.load();
    EXPECT_EQ(store.keywords(), listed());
    EXPECT_EQ(store.keywords().size(), 4);
    EXPECT_EQ(dir.read("data.lst"), (listed().join("\r\n") + "\r\n").toUtf8());
}

TEST_F(KeywordStoreTest, LoadsTheOrderListAsItStands)
{
    dir.write("data.lst", "zoo\r\nApple\n\x83\x81\x83\x82\rlast");
    dir.write("data/zoo", "");
    store.load();
    EXPECT_EQ(store.keywords(), QStringList({"zoo", "Apple", "メモ", "last"}));
}

TEST_F(KeywordStoreTest, ReadsEntriesOfOneTwoOrThreeLines)
{
    dir.write("data/only", "/usr/bin/true");
    dir.write("data/full", "/bin/echo\r\n\r\n-n hi\r\nignored\r\n");
    EXPECT_EQ(store.readEntry("only"), (Entry{"/usr/bin/true", "", ""}));
    EXPECT_EQ(store.readEntry("full"), (Entry{"/bin/echo", "", "-n hi"}));
}

TEST_F(KeywordStoreTest, FindsEntriesWhateverTheLetterCase)
{
    dir.write("data.lst", "Memo\r\n");
    dir.write("data/Memo", "listed\r\n");
    dir.write("data/notes", "unlisted\r\n");
    store.load();
    EXPECT_EQ(store.readEntry("MEMO").target, "listed");    // through the list's spelling
    EXPECT_EQ(store.readEntry("NoTeS").target, "unlisted"); // through the folder
    EXPECT_EQ(store.find(u"memo"), 0);
    EXPECT_EQ(store.find(u"mem"), -1);
    EXPECT_FALSE(store.entryExists("other"));
}

TEST_F(KeywordStoreTest, AFolderIsNoEntry)
{
    QDir(dir.path()).mkpath("data/tools");
    EXPECT_FALSE(store.entryExists("tools"));
    try {
        store.readEntry("tools");
        FAIL() << "no error";
    } catch (const Error &e) {
        EXPECT_TRUE(e.message().startsWith(
            QStringLiteral("ファイル \"%1\". ").arg(dir.file("data/tools"))));
        EXPECT_TRUE(e.message().endsWith(QStringLiteral(" は開けません")));
    }
}

TEST_F(KeywordStoreTest, NamesOutsideTheFolderAreNeverRead)
{
    dir.write("secret", "outside\r\n");
    dir.write("data/x", "inside\r\n");
    for (const QString &name : QStringList{"../secret", "..", ".", "", "x/../../secret"})
        EXPECT_FALSE(store.entryExists(name)) << name.toStdString();
}

TEST_F(KeywordStoreTest, InsertWritesTheEntryAndTheOrder)
{
    dir.write("data.lst", "apple\r\nBanana\r\ncherry\r\n");
    store.load();
    store.insertKeyword("bread", {"/usr/bin/bread", "", "--fresh"});
    EXPECT_EQ(dir.read("data/bread"), QByteArray("/usr/bin/bread\r\n\r\n--fresh\r\n"));
    EXPECT_EQ(dir.read("data.lst"), QByteArray("apple\r\nBanana\r\nbread\r\ncherry\r\n"));
    EXPECT_EQ(store.keywords(), QStringList({"apple", "Banana", "bread", "cherry"}));
}

TEST_F(KeywordStoreTest, UnreadableRowsAreWrittenBackByteForByte)
{
    // Two rows that show alike ("x" and a replacement character) keep their own bytes.
    dir.write("data.lst", "x\xfd\r\nx\xfe\r\n");
    store.load();
    ASSERT_EQ(store.keywords()[0], store.keywords()[1]);
    store.insertKeyword("y", {});
    EXPECT_EQ(dir.read("data.lst"), "x\xfd\r\nx\xfe\r\ny\r\n");

    const QByteArray unreadable = "ba\x81\x7f\xa0" "d";
    dir.write("data.lst", "apple\r\n" + unreadable + "\r\ncherry\r\n");
    store.load();
    ASSERT_TRUE(store.keywords()[1].contains(QChar::ReplacementCharacter));

    store.insertKeyword("bread", {});
    EXPECT_EQ(dir.read("data.lst"), "apple\r\n" + unreadable + "\r\nbread\r\ncherry\r\n");
    QStringList reversed = store.keywords().toList();
    std::reverse(reversed.begin(), reversed.end());
    store.rewriteOrder(reversed);
    store.removeKeyword(0);
    EXPECT_EQ(dir.read("data.lst"), "bread\r\n" + unreadable + "\r\napple\r\n");
}

TEST_F(KeywordStoreTest, AListThatCannotBeSavedChangesNoEntry)
{
    QStringList rows;
    for (int i = 0; i < 40; ++i)
        rows << QStringLiteral("keyword%1").arg(i);
    const QByteArray list = rows.join("\r\n").toLatin1() + "\r\n";
    dir.write("data.lst", list);
    dir.write("data/unlisted", "/old\r\n");
    dir.write("data/keyword0", "/bin/zero\r\n");
    store.load();
    {
        const FileSizeLimit limit(100); // the entries fit, data.lst does not
        EXPECT_THROW(store.insertKeyword("fresh", {"/bin/fresh", "", ""}), Error);
        EXPECT_THROW(store.insertKeyword("unlisted", {"/bin/new", "", ""}), Error);
        EXPECT_THROW(store.removeKeyword(0), Error); // the row and its entry both stay
    }
    EXPECT_EQ(dir.read("data/keyword0"), "/bin/zero\r\n");
    EXPECT_FALSE(dir.exists("data/fresh"));
    EXPECT_EQ(dir.read("data/unlisted"), "/old\r\n");
    EXPECT_EQ(dir.read("data.lst"), list);
    EXPECT_EQ(store.keywords(), rows);
}

TEST_F(KeywordStoreTest, InsertWorksOnTheFileNotOnTheList)
{
    store.load();
    dir.write("data.lst", "x\r\n"); // changed on disk behind the list's back
    store.insertKeyword("a", {});
    EXPECT_EQ(store.keywords(), QStringList({"a", "x"}));
}

TEST_F(KeywordStoreTest, RefusedKeywordsWriteNothing)
{
    dir.write("data.lst", "a\r\n");
    store.load();
    for (const QString &bad :
         QStringList{"", ".", "..", "x/y", "../evil", QStringLiteral("nul\0x"), "😀"}) {
        EXPECT_THROW(store.insertKeyword(bad, {"t", "d", "p"}), Error) << bad.toStdString();
        EXPECT_EQ(dir.read("data.lst"), QByteArray("a\r\n"));
    }
    EXPECT_THROW(store.insertKeyword("ok", {"t", "😀", ""}), Error);
    EXPECT_EQ(dir.read("data.lst"), QByteArray("a\r\n"));
    EXPECT_FALSE(dir.exists("data/ok"));
    EXPECT_FALSE(dir.exists("evil"));
}

TEST_F(KeywordStoreTest, OverwriteTouchesOnlyTheEntry)
{
    dir.write("data.lst", "memo\r\n");
    dir.write("data/memo", "old\r\n");
    store.load();
    store.overwriteEntry("memo", {"new", "desc", ""});
    EXPECT_EQ(dir.read("data/memo"), QByteArray("new\r\ndesc\r\n\r\n"));
    EXPECT_EQ(dir.read("data.lst"), QByteArray("memo\r\n"));
}

TEST_F(KeywordStoreTest, RemoveDeletesTheRowsFileAndSaves)
{
    dir.write("data.lst", "foo\r\nbar\r\ngone\r\n");
    dir.write("data/foo", "x\r\n");
    store.load();
    store.removeKeyword(store.find(u"FOO"));
    EXPECT_FALSE(dir.exists("data/foo"));
    EXPECT_EQ(dir.read("data.lst"), QByteArray("bar\r\ngone\r\n"));
    store.removeKeyword(store.find(u"gone")); // its file was never there: not reported
    EXPECT_EQ(store.keywords(), QStringList({"bar"}));
}

// Rows that differ only in letter case each have a file of their own spelling.
TEST(KeywordStoreCaseTwins, RemovingARowDeletesTheFileOfItsOwnSpelling)
{
    struct Case
    {
        const char *name;
        QStringList rows;
        QStringList files;
        qsizetype removed;
        QStringList filesLeft;
    };
    const Case cases[] = {
        {"LowerFirst", {"foo", "Foo"}, {"foo", "Foo"}, 0, {"Foo"}},
        {"UpperFirst", {"Foo", "foo"}, {"foo", "Foo"}, 0, {"foo"}},
        {"SecondOfTwo", {"Foo", "foo"}, {"foo", "Foo"}, 1, {"Foo"}},
        // A row without a file of its own reaches its twin's by a scan: that file stays.
        {"TwinWithoutFile", {"foo", "FOO"}, {"foo"}, 1, {"foo"}},
    };
    for (const Case &c : cases) {
        TempFolder dir;
        dir.write("data.lst", (c.rows.join("\r\n") + "\r\n").toUtf8());
        for (const QString &file : c.files)
            dir.write("data/" + file, "/bin/" + file.toUtf8() + "\r\n");
        KeywordStore store(dir.path());
        store.load();
        store.removeKeyword(c.removed);
        QStringList left;
        for (const QString &file : c.files)
            if (dir.exists("data/" + file))
                left.append(file);
        EXPECT_EQ(left, c.filesLeft) << c.name;
        QStringList rows = c.rows;
        rows.removeAt(c.removed);
        EXPECT_EQ(store.keywords(), rows) << c.name;
    }
}

TEST_F(KeywordStoreTest, RewriteOrderSavesAndReloads)
{
    store.load();
    store.rewriteOrder({"b", "a"});
    EXPECT_EQ(dir.read("data.lst"), QByteArray("b\r\na\r\n"));
    EXPECT_EQ(store.keywords(), QStringList({"b", "a"}));
}

// What the program leaves when it dies inside a change, as the journal names it, and what the
// next start makes of it.
TEST_F(KeywordStoreTest, TheNextStartFinishesAnInterruptedChange)
{
    struct Case
    {
        const char *what;
        QByteArray list, journal;
        QStringList files;
        QByteArray listAfter;
        QStringList filesAfter;
    };
    const Case cases[] = {
        {"a registration cut before data.lst: listed in order", "apple\r\ncherry\r\n",
         "listed\nbread\n", {"apple", "bread", "cherry"}, "apple\r\nbread\r\ncherry\r\n",
         {"apple", "bread", "cherry"}},
        {"a registration cut after data.lst: nothing to do", "bread\r\n", "listed\nbread\n",
         {"bread"}, "bread\r\n", {"bread"}},
        {"a registration cut before its entry: nothing to list", "apple\r\n",
         "listed\nbread\n", {"apple"}, "apple\r\n", {"apple"}},
        {"a deletion cut after data.lst: the file goes", "apple\r\n", "unlisted\nGone\n",
         {"apple", "Gone"}, "apple\r\n", {"apple"}},
        {"a deletion cut before data.lst: nothing changes", "apple\r\ngone\r\n",
         "unlisted\nGone\n", {"apple", "Gone"}, "apple\r\ngone\r\n", {"Gone", "apple"}},
        {"names outside the folder, a cut journal", "apple\r\n",
         "unlisted\n../secret\nlisted\n.\nunlisted\n\nlisted", {"apple"}, "apple\r\n",
         {"apple"}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        QDir(dir.file("data")).removeRecursively();
        dir.write("data.lst", c.list);
        dir.write("data.journal", c.journal);
        dir.write("secret", "");
        for (const QString &file : c.files)
            dir.write("data/" + file, "/bin/" + file.toLatin1() + "\r\n");
        store.load();
        EXPECT_EQ(dir.read("data.lst"), c.listAfter);
        QStringList files = listed();
        files.sort();
        EXPECT_EQ(files, c.filesAfter);
        EXPECT_FALSE(dir.exists("data.journal"));
        EXPECT_TRUE(dir.exists("secret"));
    }
}

} // namespace

// The scans skip rows by a summary of their first units and length; no row that the
// comparisons accept may be skipped.
TEST_F(KeywordStoreTest, SearchesAgreeWithTheComparisonsOnEveryRow)
{
    const auto check = [this](const QStringList &queries) {
        const KeywordList &rows = store.keywords();
        for (const QString &query : queries) {
            SCOPED_TRACE(query.left(20).toStdString());
            qsizetype first = -1, last = -1, prefix = -1;
            for (qsizetype i = 0; i < rows.size(); ++i) {
                if (KeywordText::equal(rows[i], query)) {
                    first = first < 0 ? i : first;
                    last = i;
                }
                if (prefix < 0 && KeywordText::startsWith(rows[i], query))
                    prefix = i;
            }
            EXPECT_EQ(store.find(query), first);
            EXPECT_EQ(store.findLast(query), last);
            EXPECT_EQ(store.findPrefix(query), prefix);
        }
    };

    // Letters that fold in the code page (ASCII, full width, Greek, Cyrillic), rows of one
    // unit, and a row longer than the summary's length field.
    const QString longRow = QString(70000, u'z');
    QByteArray list;
    for (const QString &row : {u"z"_qs, u"b"_qs, u"Ab"_qs, u"aB"_qs, u"abc"_qs, u"ａｂ"_qs,
                               u"ＡＢＣ"_qs, u"ΣΟΦΙΑ"_qs, u"σοφια"_qs, u"ПРИВЕТ"_qs, longRow, u"zz"_qs})
        list += ShiftJis::encodeOrThrow(row) + "\r\n";
    dir.write("data.lst", list);
    store.load();
    check({"a", "A", "ab", "AB", "abcd", "b", "z", "Z", "zz", "ZZZ", "ａ", "Ａｂ", "ａｂｃ", "σ",
           "Σοφ", "σοφια", "при", "ПРИВЕТ", longRow, longRow + "z", longRow.left(0xFFFF), ""});

    // Pairs outside the basic plane fold as whole characters (𐐀 and 𐐨 are one letter); the
    // code page has none, so the summaries are checked on their own.
    for (const QString &row : {u"𐐀𐐀x"_qs, u"𐐨y"_qs, u"x𐐀"_qs, u"𐐨"_qs})
        for (const QString &query : {u"𐐨"_qs, u"𐐨𐐨"_qs, u"𐐀𐐨X"_qs, u"𐐀Y"_qs, u"X𐐨"_qs,
                                     u"x𐐀"_qs, QString(QChar(0xD801))}) {
            SCOPED_TRACE((row + " " + query).toStdString());
            const uint64_t equalMask = KeywordText::equalMask(query);
            const uint64_t prefixMask = KeywordText::prefixMask(query);
            if (KeywordText::equal(row, query)) {
                EXPECT_EQ(KeywordText::head(row) & equalMask, KeywordText::head(query) & equalMask);
            }
            if (KeywordText::startsWith(row, query)) {
                EXPECT_EQ(KeywordText::head(row) & prefixMask,
                          KeywordText::head(query) & prefixMask);
            }
        }
}

// Names copied from a system that decomposes them: "が" as "か" and a combining mark.
TEST_F(KeywordStoreTest, DecomposedAndUnwritableNames)
{
    const QString decomposed = QStringLiteral("か\u3099");
    dir.write("data/" + decomposed, "/bin/ga\r\n");
    dir.write("data/memo", "/bin/memo\r\n");
    dir.write("data/\U0001F600x", "/bin/smile\r\n");
    try {
        store.load();
        FAIL() << "the unwritable name was not said";
    } catch (const Error &e) {
        EXPECT_TRUE(e.message().endsWith(QStringLiteral(": \U0001F600x"))) << e.message().toStdString();
    }
    QStringList rows = store.keywords().toList();
    rows.sort();
    EXPECT_EQ(rows, QStringList({"memo", "が"}));
    EXPECT_EQ(ShiftJis::decode(dir.read("data.lst")).split("\r\n", Qt::SkipEmptyParts).size(), 2);
    EXPECT_EQ(store.readEntry(QStringLiteral("が")).target, "/bin/ga");
    EXPECT_EQ(store.readEntry(decomposed).target, "/bin/ga");
    EXPECT_TRUE(dir.exists("data/\U0001F600x")); // left where it was
}

// The list is resident all day: a long one costs its characters, an end and a head a row (some
// 28 bytes for these), not a string of its own for every row (over 70).
TEST_F(KeywordStoreTest, HoldsALongListCompactly)
{
    constexpr qsizetype count = 100000;
    QByteArray list;
    for (qsizetype i = 0; i < count; ++i)
        list += QByteArray::number(1000000 + i).replace(0, 1, "k") + "\r\n";
    dir.write("data.lst", list);
    const auto heapInUse = [] {
        const struct mallinfo2 heap = mallinfo2();
        return double(heap.uordblks + heap.hblkhd);
    };
    const double before = heapInUse();
    store.load();
    ASSERT_EQ(store.keywords().size(), count);
    EXPECT_LT((heapInUse() - before) / count, 36) << "bytes a row";
}
