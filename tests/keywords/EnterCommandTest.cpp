#include "keywords/EnterCommand.h"
#include "CaseName.h"

#include "QtPrinters.h"

#include <gtest/gtest.h>

namespace {

using K = EnterCommand::Kind;

struct Classification
{
    const char *name;
    QString text;
    K kind;
    QString rest;
};

class EnterCommandChain : public ::testing::TestWithParam<Classification>
{
};

TEST_P(EnterCommandChain, FirstMatchingTestDecides)
{
    const Classification &c = GetParam();
    const EnterCommand command =
        EnterCommand::classify(c.text, QStringLiteral("shutdown"), QStringLiteral("reboot"));
    EXPECT_EQ(command.kind, c.kind);
    EXPECT_EQ(command.text, c.rest);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, EnterCommandChain,
    ::testing::Values(
        Classification{"ShutdownCaseIgnored", "SHUTDOWN", K::PowerOff, "SHUTDOWN"},
        Classification{"Reboot", "reboot", K::Reboot, "reboot"},
        Classification{"ShutdownNameWithSuffixIsNoShutdown", "shutdown/del", K::Delete, "shutdown"},
        Classification{"Address", "http://example.org/a+b", K::Address, "http://example.org/a+b"},
        Classification{"AddressAfterWords", "see HTTP://x", K::Address, "see HTTP://x"},
        Classification{"SecureAddress", "https://example.org/?q=1*2", K::Address,
                       "https://example.org/?q=1*2"},
        Classification{"New", "/new", K::NewEntry, "/new"},
        Classification{"NewIsExact", "/NEW", K::Calculate, "/NEW"},
        Classification{"Sort", "/sort", K::Maintenance, "/sort"},
        Classification{"Help", "/help", K::Help, "/help"},
        Classification{"Exit", "/exit", K::Exit, "/exit"},
        Classification{"Up", "memo/up", K::OpenFolder, "memo"},
        Classification{"Delete", "memo/del", K::Delete, "memo"},
        Classification{"DeleteCutByLength", "/delx", K::Delete, "/"},
        Classification{"DeleteCaseIgnored", "memo/DEL", K::Delete, "memo"},
        Classification{"Lock", "memo/lock", K::Lock, "memo"},
        Classification{"Set", "memo/set", K::Edit, "memo"},
        Classification{"SuffixWinsOverArithmetic", "1+2/del", K::Delete, "1+2"},
        Classification{"LoneSlash", "/", K::Calculate, "/"},
        Classification{"Division", "10/2", K::Calculate, "10/2"},
        Classification{"Bracket", "(2", K::Calculate, "(2"},
        Classification{"HyphenatedKeywordIsArithmetic", "my-app", K::Calculate, "my-app"},
        Classification{"Keyword", "memo", K::Keyword, "memo"},
        Classification{"Empty", "", K::Keyword, ""}),
    CaseName());

TEST(EnterCommand, CutsBytesOfTheCodePage)
{
    EXPECT_EQ(EnterCommand::chopBytes(QStringLiteral("memo/up"), 3), QStringLiteral("memo"));
    // A double-byte character counts two bytes.
    EXPECT_EQ(EnterCommand::chopBytes(QStringLiteral("メモ/d"), 4), QStringLiteral("メ"));
    EXPECT_EQ(EnterCommand::chopBytes(QStringLiteral("ab"), 5), QString());
}

TEST(EnterCommandKeywords, ALaunchableKeywordGoesBeforeArithmeticButAfterTheCommands)
{
    const QStringList launchable{"x-term", "memo/up", "http://x", "shutdown"};
    const auto isLaunchable = [&](const QString &t) {
        return launchable.contains(t, Qt::CaseInsensitive);
    };
    const std::pair<const char *, K> cases[] = {
        {"x-term", K::Keyword},   {"X-Term", K::Keyword},    {"memo/up", K::OpenFolder},
        {"http://x", K::Address}, {"shutdown", K::PowerOff}, {"2-1", K::Calculate},
    };
    for (const auto &[text, kind] : cases)
        EXPECT_EQ(EnterCommand::classify(text, "shutdown", "reboot", isLaunchable).kind, kind)
            << text;
}

TEST(EnterCommandPowerNames, AKeywordOfTheUsersOwnIsNeverTakenForAPowerName)
{
    // "foo" opens a program of the user's; "shutdown" is the item's own, empty entry.
    const auto opensATarget = [](const QString &t) {
        return t.compare("foo", Qt::CaseInsensitive) == 0;
    };
    const std::tuple<const char *, const char *, K> cases[] = {
        {"foo", "foo", K::Keyword},
        {"FOO", "foo", K::Keyword},
        {"shutdown", "shutdown", K::PowerOff},
        {"foo", "bar", K::Keyword},
    };
    for (const auto &[text, name, kind] : cases) {
        EXPECT_EQ(EnterCommand::classify(text, name, "reboot", {}, opensATarget).kind, kind)
            << text;
        const K restart = kind == K::PowerOff ? K::Reboot : kind;
        EXPECT_EQ(EnterCommand::classify(text, "", name, {}, opensATarget).kind, restart) << text;
    }
}

TEST(EnterCommandPowerNames, AnEmptyLineNeverMatchesAnEmptiedName)
{
    EXPECT_EQ(EnterCommand::classify("", "", "").kind, K::Keyword);
    EXPECT_EQ(EnterCommand::classify("", "shutdown", "").kind, K::Keyword);
    EXPECT_EQ(EnterCommand::classify("reboot", "", "reboot").kind, K::Reboot);
}

} // namespace
