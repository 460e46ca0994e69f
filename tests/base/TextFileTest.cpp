#include "base/TextFile.h"
#include "CaseName.h"
#include "base/Error.h"

#include "FileSizeLimit.h"
#include "QtPrinters.h"
#include "TempFolder.h"

#include <gtest/gtest.h>

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
}

} // namespace
