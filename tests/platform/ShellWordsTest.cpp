#include "platform/linux/ShellWords.h"
#include "CaseName.h"
#include "platform/linux/DesktopEntry.h"

#include "QtPrinters.h"
#include "TempFolder.h"

#include <gtest/gtest.h>

namespace {

struct Words
{
    const char *name;
    QString text;
    QStringList words;
};

class ShellWordsSplit : public ::testing::TestWithParam<Words>
{
};

TEST_P(ShellWordsSplit, SplitsAsAShellWould)
{
    EXPECT_EQ(ShellWords::split(GetParam().text), GetParam().words);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ShellWordsSplit,
    ::testing::Values(Words{"Empty", "", {}}, Words{"Blanks", "  a \t b  ", {"a", "b"}},
                      Words{"DoubleQuotes", R"(--flag "two words")", {"--flag", "two words"}},
                      Words{"SingleQuotesKeepEverything", R"('a "b" \c')", {R"(a "b" \c)"}},
                      Words{"EscapesInDoubleQuotes", R"("a\"b\\c\d")", {R"(a"b\c\d)"}},
                      Words{"BackslashOutsideQuotes", R"(a\ b c)", {"a b", "c"}},
                      Words{"EmptyQuotedWord", R"(a "" b)", {"a", "", "b"}},
                      Words{"JoinedParts", R"(pre"fix"'ed')", {"prefixed"}},
                      Words{"NoExpansion", "$HOME * ~", {"$HOME", "*", "~"}},
                      Words{"UnclosedQuoteRunsToTheEnd", R"(a "b c)", {"a", "b c"}},
                      Words{"Japanese", "メモ 「日本語」", {"メモ", "「日本語」"}}),
    CaseName());

TEST(DesktopEntry, BuildsTheCommandFromExec)
{
    TempFolder dir;
    dir.write("app.desktop", "[Desktop Entry]\nName=Editor\nIcon=accessories-text-editor\n"
                             "Exec=\"/opt/my editor\" --name %c %U --x=100%%\nPath=/tmp\n"
                             "[Desktop Action new]\nExec=other\n");
    const DesktopEntry entry = DesktopEntry::read(dir.file("app.desktop"));
    EXPECT_EQ(entry.icon(), "accessories-text-editor");
    EXPECT_EQ(entry.workingFolder(), "/tmp");
    EXPECT_EQ(entry.command({"a", "b"}),
              QStringList({"/opt/my editor", "--name", "Editor", "a", "b", "--x=100%"}));
    EXPECT_EQ(entry.command({}), QStringList({"/opt/my editor", "--name", "Editor", "--x=100%"}));
}

TEST(DesktopEntry, TerminalProgramsRunInATerminal)
{
    TempFolder dir;
    dir.write("top.desktop", "[Desktop Entry]\nExec=top %f\nTerminal=true\n");
    EXPECT_EQ(DesktopEntry::read(dir.file("top.desktop")).command({"x"}),
              QStringList({"x-terminal-emulator", "-e", "top", "x"}));
    EXPECT_TRUE(DesktopEntry::read(dir.file("missing.desktop")).command({}).isEmpty());
}

} // namespace
