#include "keywords/EnterCommand.h"
#include "CaseName.h"
#include "mainwindow/CommandTable.h"

#include "QtPrinters.h"

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <ostream>

namespace {

using K = EnterCommand::Kind;
using C = LauncherCommand;

// What Enter does with a text: a kind, or the command of the table it runs.
struct Outcome
{
    K kind;
    std::optional<C> command;

    Outcome(K kind)
        : kind(kind)
    {
    }
    Outcome(C command)
        : kind(K::Command)
        , command(command)
    {
    }
    bool operator==(const Outcome &) const = default;
};

void PrintTo(const Outcome &outcome, std::ostream *os)
{
    *os << "kind " << int(outcome.kind);
    if (outcome.command)
        *os << ", command " << int(*outcome.command);
}

Outcome outcomeOf(const EnterCommand &command)
{
    if (command.kind == K::Command)
        return C(command.command);
    return command.kind;
}

EnterCommand classify(const QString &text, const QString &shutdownName, const QString &rebootName,
                      const std::function<bool(const QString &)> &isLaunchable = {},
                      const std::function<bool(const QString &)> &opensATarget = {})
{
    return EnterCommand::classify(text, CommandTable::typedForms(), shutdownName, rebootName,
                                  isLaunchable, opensATarget);
}

struct Classification
{
    const char *name;
    QString text;
    Outcome kind;
    QString rest;
};

class EnterCommandChain : public ::testing::TestWithParam<Classification>
{
};

TEST_P(EnterCommandChain, FirstMatchingTestDecides)
{
    const Classification &c = GetParam();
    const EnterCommand command =
        classify(c.text, QStringLiteral("shutdown"), QStringLiteral("reboot"));
    EXPECT_EQ(outcomeOf(command), c.kind);
    EXPECT_EQ(command.text, c.rest);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, EnterCommandChain,
    ::testing::Values(
        Classification{"ShutdownCaseIgnored", "SHUTDOWN", K::PowerOff, "SHUTDOWN"},
        Classification{"Reboot", "reboot", K::Reboot, "reboot"},
        Classification{"ShutdownNameWithSuffixIsNoShutdown", "shutdown/del", C::DeleteEntry,
                       "shutdown"},
        Classification{"Address", "http://example.org/a+b", K::Address, "http://example.org/a+b"},
        Classification{"AddressAfterWords", "see HTTP://x", K::Address, "see HTTP://x"},
        Classification{"SecureAddress", "https://example.org/?q=1*2", K::Address,
                       "https://example.org/?q=1*2"},
        Classification{"New", "/new", C::Register, "/new"},
        Classification{"NewIsExact", "/NEW", K::Calculate, "/NEW"},
        Classification{"Sort", "/sort", C::KeywordOrder, "/sort"},
        Classification{"Help", "/help", C::Help, "/help"},
        Classification{"Exit", "/exit", C::Quit, "/exit"},
        Classification{"Up", "memo/up", C::OpenTargetFolder, "memo"},
        Classification{"Delete", "memo/del", C::DeleteEntry, "memo"},
        Classification{"DeleteCutByLength", "/delx", C::DeleteEntry, "/"},
        Classification{"DeleteCaseIgnored", "memo/DEL", C::DeleteEntry, "memo"},
        Classification{"Lock", "memo/lock", C::Lock, "memo"},
        Classification{"Set", "memo/set", C::Register, "memo"},
        Classification{"SuffixWinsOverArithmetic", "1+2/del", C::DeleteEntry, "1+2"},
        Classification{"LoneSlash", "/", K::Calculate, "/"},
        Classification{"Division", "10/2", K::Calculate, "10/2"},
        Classification{"Bracket", "(2", K::Calculate, "(2"},
        Classification{"HyphenatedKeywordIsArithmetic", "my-app", K::Calculate, "my-app"},
        Classification{"Keyword", "memo", K::Keyword, "memo"},
        Classification{"Empty", "", K::Keyword, ""}),
    CaseName());

TEST(EnterCommandTable, ExactFormsComeFirstThenSuffixesInTheirOrder)
{
    // A text holding two suffixes is cut by the first of them: the order is behaviour.
    QStringList words;
    bool suffixSeen = false;
    for (const EnterCommand::Form &form : CommandTable::typedForms()) {
        EXPECT_TRUE(form.suffix || !suffixSeen) << form.word.toString().toStdString();
        suffixSeen = suffixSeen || form.suffix;
        words.append(form.word.toString());
    }
    const QStringList known{"/new", "/sort", "/help", "/exit", "/up", "/del", "/lock", "/set"};
    words.removeIf([&](const QString &word) { return !known.contains(word); });
    EXPECT_EQ(words, known);
    EXPECT_EQ(outcomeOf(classify("a/lock/del", "", "")), Outcome(C::DeleteEntry));
    EXPECT_EQ(classify("a/lock/del", "", "").text, "a/lock");
}

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
    const std::pair<const char *, Outcome> cases[] = {
        {"x-term", K::Keyword},   {"X-Term", K::Keyword},    {"memo/up", C::OpenTargetFolder},
        {"http://x", K::Address}, {"shutdown", K::PowerOff}, {"2-1", K::Calculate},
    };
    for (const auto &[text, kind] : cases)
        EXPECT_EQ(outcomeOf(classify(text, "shutdown", "reboot", isLaunchable)), kind) << text;
}

TEST(EnterCommandInputMethod, AFormulaTypedFullWidthIsCalculatedInItsAsciiForm)
{
    // What an input method writes for a formula; a keyword of that spelling still wins, and a
    // text that is no formula keeps its long-vowel marks and dots.
    const auto isLaunchable = [](const QString &t) {
        return t == u"１＋１";
    };
    const std::tuple<const char *, K, const char *> cases[] = {
        {"２＊３", K::Calculate, "2*3"},
        {"（１＋２）／３", K::Calculate, "(1+2)/3"},
        {"１　＋　２＾２", K::Calculate, "1 + 2^2"},
        {"ｓｉｎ（０）－１", K::Calculate, "sin(0)-1"},
        {"［１＋５］＊２，", K::Calculate, "[1+5]*2,"},
        {"２ー３", K::Calculate, "2-3"},
        {"１。５・３", K::Calculate, "1.5/3"},
        {"６×７÷２−１", K::Calculate, "6*7/2-1"},
        {"１＋１", K::Keyword, "１＋１"},
        {"１２３", K::Keyword, "１２３"},
        {"コーヒー", K::Keyword, "コーヒー"},
        {"メモ・２", K::Keyword, "メモ・２"},
        {"ー", K::Keyword, "ー"},
    };
    for (const auto &[text, kind, rest] : cases) {
        const EnterCommand command = classify(QString::fromUtf8(text), "", "", isLaunchable);
        EXPECT_EQ(command.kind, kind) << text;
        EXPECT_EQ(command.text, QString::fromUtf8(rest)) << text;
    }
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
        EXPECT_EQ(classify(text, name, "reboot", {}, opensATarget).kind, kind) << text;
        const K restart = kind == K::PowerOff ? K::Reboot : kind;
        EXPECT_EQ(classify(text, "", name, {}, opensATarget).kind, restart) << text;
    }
}

TEST(EnterCommandPowerNames, AnEmptyLineNeverMatchesAnEmptiedName)
{
    EXPECT_EQ(classify("", "", "").kind, K::Keyword);
    EXPECT_EQ(classify("", "shutdown", "").kind, K::Keyword);
    EXPECT_EQ(classify("reboot", "", "reboot").kind, K::Reboot);
}

} // namespace

namespace {

// A keyword followed by words, against the whole text as a keyword, the slash commands and the
// calculator. "g" and "my app" are typed in full; "pi" and "ken" reach keywords only by their
// readings, which a formula does not take.
TEST(EnterCommandWords, TheFirstWordNamesTheKeyword)
{
    const auto isLaunchable = [](const QString &t) {
        return t == u"g" || t == u"my app";
    };
    const auto keywordOf = [&](const QString &word, bool byReading) -> QString {
        if (isLaunchable(word))
            return word;
        if (byReading && (word == u"pi" || word == u"ken"))
            return QStringLiteral("検索");
        return {};
    };
    const std::tuple<const char *, Outcome, const char *, const char *> cases[] = {
        {"g ラーメン", K::KeywordWithWords, "g", "ラーメン"},
        {"g　 ラーメン 新宿　", K::KeywordWithWords, "g", "ラーメン 新宿"},
        {"g c++ 入門", K::KeywordWithWords, "g", "c++ 入門"},
        {"g ラーメン/set", K::KeywordWithWords, "g", "ラーメン/set"},
        {"g/set", C::Register, "g", ""},
        {"my app/set", C::Register, "my app", ""},
        {"my app", K::Keyword, "my app", ""},
        {"ken ラーメン", K::KeywordWithWords, "検索", "ラーメン"},
        {"pi * 2", K::Calculate, "pi * 2", ""},
        {"2 * 3", K::Calculate, "2 * 3", ""},
        {"g http://example.com", K::Address, "g http://example.com", ""},
        {"x y", K::Keyword, "x y", ""},
    };
    for (const auto &[text, outcome, keyword, words] : cases) {
        const EnterCommand command =
            EnterCommand::classify(QString::fromUtf8(text), CommandTable::typedForms(), "", "",
                                   isLaunchable, {}, keywordOf);
        EXPECT_EQ(outcomeOf(command), outcome) << text;
        EXPECT_EQ(command.text, QString::fromUtf8(keyword)) << text;
        EXPECT_EQ(command.words, QString::fromUtf8(words)) << text;
    }
}

} // namespace
