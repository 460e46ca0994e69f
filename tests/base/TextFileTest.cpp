#include "base/TextFile.h"
#include "CaseName.h"
#include "base/Error.h"

#include "FileSizeLimit.h"
#include "QtPrinters.h"
#include "TempFolder.h"

#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace {

struct Split
{
    const char *name;
    QString text;
    QStringList lines;
};

class TextFileSplit : public ::testing::TestWithParam<Split>
{
};

TEST_P(TextFileSplit, AcceptsEveryLineEnd)
{
    EXPECT_EQ(TextFile::splitLines(GetParam().text), GetParam().lines);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, TextFileSplit,
    ::testing::Values(Split{"Empty", QString(), {}},
                      Split{"CrLf", QStringLiteral("a\r\nb\r\n"), {"a", "b"}},
                      Split{"Lf", QStringLiteral("a\nb\n"), {"a", "b"}},
                      Split{"Cr", QStringLiteral("a\rb\r"), {"a", "b"}},
                      Split{"Mixed", QStringLiteral("a\r\nb\nc\rd"), {"a", "b", "c", "d"}},
                      Split{"NoLastLineEnd", QStringLiteral("a\r\nb"), {"a", "b"}},
                      Split{"EmptyLinesKept", QStringLiteral("a\r\n\r\n\nb"), {"a", "", "", "b"}},
                      Split{"LfCrIsTwoEnds", QStringLiteral("a\n\rb"), {"a", "", "b"}}),
    CaseName());

TEST(TextFile, WritesShiftJisWithCrLfAndNoByteOrderMark)
{
    TempFolder dir;
    TextFile::writeLines(dir.file("f"), {QStringLiteral("メモ"), QString(), QStringLiteral("-x")});
    EXPECT_EQ(dir.read("f"), QByteArray("\x83\x81\x83\x82\r\n\r\n-x\r\n"));
    EXPECT_EQ(TextFile::readLines(dir.file("f")),
              QStringList({QStringLiteral("メモ"), QString(), QStringLiteral("-x")}));
}

TEST(TextFile, RefusedTextOrAFullDiskLeavesTheOldFileWhole)
{
    TempFolder dir;
    dir.write("f", "old\r\n");
    EXPECT_THROW(TextFile::writeLines(dir.file("f"), {QStringLiteral("new"), QStringLiteral("😀")}),
                 Error);
    EXPECT_EQ(dir.read("f"), QByteArray("old\r\n"));

    const FileSizeLimit full(64);
    EXPECT_THROW(TextFile::writeBytes(dir.file("f"), QByteArray(100, 'x')), Error);
    EXPECT_EQ(dir.read("f"), QByteArray("old\r\n"));
}

// A linked file is replaced where it lies, the link staying a link; the file keeps its mode,
// and a temporary name a killed write left is replaced, never left beside the file.
TEST(TextFile, ReplacesTheFileALinkNamesKeepingItsModeAndLeavingNothing)
{
    TempFolder dir;
    dir.write("store/data.lst", "old\r\n");
    ::chmod(QFile::encodeName(dir.file("store/data.lst")).constData(), 0600);
    ASSERT_TRUE(QFile::link(dir.file("store/data.lst"), dir.file("data.lst")));
    dir.write("store/.data.lst.tbnew", "left by a killed write");

    TextFile::writeBytes(dir.file("data.lst"), "new\r\n");
    EXPECT_TRUE(QFileInfo(dir.file("data.lst")).isSymLink());
    EXPECT_EQ(dir.read("store/data.lst"), "new\r\n");
    struct stat st
    {
    };
    ASSERT_EQ(::stat(QFile::encodeName(dir.file("store/data.lst")).constData(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0600u);
    EXPECT_FALSE(dir.exists("store/.data.lst.tbnew"));
    EXPECT_TRUE(TextFile::isTemporaryName(u".data.lst.tbnew"));

    ASSERT_TRUE(QFile::link(dir.file("loop"), dir.file("loop")));
    EXPECT_THROW(TextFile::writeBytes(dir.file("loop"), "x"), Error);
}

TEST(TextFile, FailuresNameTheFile)
{
    TempFolder dir;
    try {
        TextFile::readLines(dir.file("missing"));
        FAIL() << "no error";
    } catch (const Error &e) {
        EXPECT_EQ(
            e.message(),
            QStringLiteral("ファイル \"%1\". 指定されたファイルが見つかりません。 は開けません")
                .arg(dir.file("missing")));
    }
    try {
        TextFile::writeLines(dir.file("no/such/folder/f"), {QStringLiteral("x")});
        FAIL() << "no error";
    } catch (const Error &e) {
        EXPECT_TRUE(e.message().startsWith(
            QStringLiteral("ファイル \"%1\". ").arg(dir.file("no/such/folder/f"))));
        EXPECT_TRUE(e.message().endsWith(QStringLiteral(" を作成できません")));
    }
    EXPECT_THROW(TextFile::readLines(dir.path()), Error); // a folder is no text file

    // A pipe (it would wait for a writer) and a device (it might never end) are no files.
    ASSERT_EQ(mkfifo(QFile::encodeName(dir.file("pipe")).constData(), 0600), 0);
    for (const QString &path : {dir.file("pipe"), QStringLiteral("/dev/zero")}) {
        try {
            TextFile::readFirstLines(path, 3);
            FAIL() << "no error for " << path.toStdString();
        } catch (const Error &e) {
            EXPECT_EQ(e.message(),
                      QStringLiteral("ファイル \"%1\". 指定されたパスは通常のファイルではありません。 は開けません")
                          .arg(path));
        }
    }
}

// The first lines read no further than they need give what the whole file's lines begin with,
// whichever line ends, wherever a read stops (CR LF split across the 64 KiB reads).
TEST(TextFile, FirstLinesAreTheWholeFilesFirstLines)
{
    TempFolder dir;
    const QByteArray block(65535, 'x');
    const QByteArray contents[] = {
        "", "one", "a\r\nb\r\nc\r\nd\r\n", "a\rb\nc\r\n\r\ne", "a\n\n\n\n",
        "\x83\x81\x83\x82\r\n\x95\x5c\r\n\x83\x5c\r\nrest",
        block + "\r\nb\r\nc\r\n" + QByteArray(200000, 'y'),
        "a\r\nb\r\n" + block.left(65529) + "\r\n" + QByteArray(1 << 20, '\n'),
    };
    for (const QByteArray &bytes : contents) {
        dir.write("f", bytes);
        EXPECT_EQ(TextFile::readFirstLines(dir.file("f"), 3), TextFile::readLines(dir.file("f")).mid(0, 3))
            << bytes.left(40).toStdString();
    }
    // A file of one endless line is read up to the limit.
    dir.write("f", QByteArray(TextFile::FirstLinesLimit * 4, 'z'));
    EXPECT_EQ(TextFile::readFirstLines(dir.file("f"), 3),
              QStringList(QString(TextFile::FirstLinesLimit, u'z')));
}

} // namespace
