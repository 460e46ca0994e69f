#include "WindowsFixture.h"

#include "base/Error.h"

#include "mainwindow/IdleClock.h"
#include "mainwindow/KeywordLineEdit.h"
#include "mainwindow/Launcher.h"
#include "keywords/KeywordStore.h"
#include "mainwindow/MainWindow.h"

#include <QAction>
#include <QClipboard>
#include <QComboBox>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QTimer>

namespace {

using Command = MainMenu::Command;

class MainWindowDispatch : public WindowsFixture
{
protected:
    void SetUp() override
    {
        dir.write("data.lst", "memo\r\nfoo\r\nstale\r\n");
        dir.write("data/memo", "/usr/bin/memo\r\nnotes\r\n--new \"a b\"\r\n");
        dir.write("data/foo", "/bin/foo\r\n");
        dir.write("data/hidden", "/bin/hidden\r\n"); // launched, though not in data.lst
        start();
    }

    void showEntry()
    {
        icon()->setPixmap(QPixmap(32, 32));
        description()->setText(QStringLiteral("notes"));
    }

    // The power items' names put into effect, as a registration of the special items does.
    void registerPowerNames(const QString &shutdown, const QString &reboot)
    {
        Settings &settings = root->settings();
        std::array<bool, SpecialItemCount> ticked{};
        std::array<QString, SpecialItemCount> names;
        for (std::size_t i = 0; i < SpecialItemCount; ++i) {
            ticked[i] = settings.specialTicked(SpecialItem(i));
            names[i] = settings.specialName(SpecialItem(i));
        }
        names[std::size_t(SpecialItem::Shutdown)] = shutdown;
        names[std::size_t(SpecialItem::Reboot)] = reboot;
        settings.registerSpecialItems(ticked, names);
    }
};

TEST_F(MainWindowDispatch, LaunchesAKeywordWithItsParameters)
{
    window->toggleLock();
    clock()->holdForTyping();
    showEntry();
    enter("memo");
    ASSERT_EQ(shell.calls.size(), 1);
    EXPECT_EQ(shell.calls[0], (FakeShell::Call{"/usr/bin/memo", "--new \"a b\""}));
    EXPECT_TRUE(displayCleared());
    EXPECT_FALSE(window->locked());
    EXPECT_FALSE(clock()->userTyping());
    EXPECT_TRUE(clock()->isOn());
}

TEST_F(MainWindowDispatch, KeywordsAreFoundWhateverTheirCaseAndListing)
{
    enter("FOO");
    enter("hidden");
    ASSERT_EQ(shell.calls.size(), 2);
    EXPECT_EQ(shell.calls[0], (FakeShell::Call{"/bin/foo", ""}));
    EXPECT_EQ(shell.calls[1].target, "/bin/hidden");
}

TEST_F(MainWindowDispatch, UnknownTextOrMissingEntryClearsUnlocksAndSaysWhy)
{
    for (const char *text : {"nothing", "stale", ""}) {
        window->toggleLock();
        showEntry();
        enter(text);
        EXPECT_TRUE(input()->text().isEmpty()) << text;
        EXPECT_TRUE(icon()->pixmap().isNull()) << text;
        const QString said =
            *text ? QStringLiteral("「%1」は登録されていません").arg(text) : QString();
        EXPECT_EQ(description()->text(), said) << text;
        EXPECT_FALSE(window->locked()) << text;
    }
    EXPECT_TRUE(shell.calls.isEmpty());
    EXPECT_TRUE(interaction.errors.isEmpty());

    // The word stays until the next key.
    enter("zzq");
    clock()->tick();
    EXPECT_EQ(description()->text(), QStringLiteral("「zzq」は登録されていません"));
    press(Qt::Key_Left);
    EXPECT_TRUE(description()->text().isEmpty());
}

TEST_F(MainWindowDispatch, EnterOnTheClocksTextIsEnterOnNothing)
{
    window->toggleLock();
    clock()->showTimeNow();
    ASSERT_TRUE(clock()->showsTime());
    enter(input()->text());
    EXPECT_TRUE(interaction.errors.isEmpty());
    EXPECT_TRUE(displayCleared());
    EXPECT_FALSE(window->locked());
}

TEST_F(MainWindowDispatch, RegisteredKeywordsWithOperatorsAreLaunchedBeforeCalculating)
{
    dir.write("data.lst", "x-term\r\nc++\r\n(old)\r\n1+1\r\nlisted-only\r\n");
    for (const char *name : {"x-term", "c++", "(old)", "1+1"})
        dir.write(QStringLiteral("data/") + name, QByteArray("/bin/") + name + "\r\n");
    dir.write("data/2*3", "/bin/unlisted\r\n");
    root->store().reload();

    struct Case
    {
        const char *text;
        const char *launched; // nothing: calculated
        const char *line;     // what the line holds afterwards
    };
    const Case cases[] = {
        {"x-term", "/bin/x-term", ""},
        {"X-TERM", "/bin/x-term", ""},
        {"c++", "/bin/c++", ""},
        {"(old)", "/bin/(old)", ""},
        {"1+1", "/bin/1+1", ""},
        // Only a listed keyword whose entry exists goes before the calculator.
        {"2*3", nullptr, "6"},
        {"1+2", nullptr, "3"},
    };
    for (const Case &c : cases) {
        shell.calls.clear();
        enter(c.text);
        if (c.launched) {
            ASSERT_EQ(shell.calls.size(), 1) << c.text;
            EXPECT_EQ(shell.calls[0].target, c.launched) << c.text;
        } else {
            EXPECT_TRUE(shell.calls.isEmpty()) << c.text;
        }
        EXPECT_EQ(input()->text(), c.line) << c.text;
    }
    // A listed keyword without its entry is still arithmetic, and the suffixes still win.
    enter("listed-only");
    EXPECT_EQ(interaction.errors.last(),
              QStringLiteral("誤った表記が見られます。修正して下さい。."));
    QString seen;
    launcher()->setHandler(Command::DeleteEntry, [&] { seen = input()->text(); });
    enter("x-term/del");
    EXPECT_EQ(seen, "x-term");
}

TEST_F(MainWindowDispatch, SpecialNamesPowerOffOrRestartWhetherRegisteredOrNot)
{
    using Step = FakePower::Step;
    showEntry();
    enter("SHUTDOWN");
    enter("Reboot");
    EXPECT_EQ(power.calls, (QList<FakePower::Call>{{Step::MayExit, PowerAction::PowerOff},
                                                   {Step::Exit, PowerAction::PowerOff},
                                                   {Step::MayExit, PowerAction::Reboot},
                                                   {Step::Exit, PowerAction::Reboot}}));
    EXPECT_TRUE(displayCleared());

    // The privilege too is the system's answer, which comes later: the line is done with.
    power.grantPrivilege = false;
    enter("shutdown");
    EXPECT_EQ(interaction.errors, QStringList(QStringLiteral("特権の取得に失敗しました。.")));
    EXPECT_TRUE(displayCleared());

    // The system's refusal comes later, on its own.
    power.grantPrivilege = true;
    power.acceptExit = false;
    enter("reboot");
    EXPECT_EQ(interaction.errors.last(), QStringLiteral("Windows を再起動できませんでした。."));

    // An emptied name never takes an empty line for itself.
    registerPowerNames(QString(), root->settings().specialName(SpecialItem::Reboot));
    power.calls.clear();
    enter("");
    EXPECT_TRUE(power.calls.isEmpty());
}

TEST_F(MainWindowDispatch, AKeywordOfTheUsersOwnWinsOverAPowerName)
{
    registerPowerNames(QStringLiteral("memo"), QStringLiteral("FOO"));
    enter("memo");
    enter("foo");
    EXPECT_TRUE(power.calls.isEmpty());
    ASSERT_EQ(shell.calls.size(), 2);
    EXPECT_EQ(shell.calls[1], (FakeShell::Call{"/bin/foo", ""}));
}

TEST_F(MainWindowDispatch, AddressesGoToTheShellWhole)
{
    enter("see http://example.org");
    enter("HTTPS://example.org/?q=1+2");
    ASSERT_EQ(shell.calls.size(), 2);
    EXPECT_EQ(shell.calls[0].target, "see http://example.org");
    EXPECT_EQ(shell.calls[1].target, "HTTPS://example.org/?q=1+2");
    EXPECT_TRUE(displayCleared());
}

TEST_F(MainWindowDispatch, ExactSlashCommandsRunTheirCommands)
{
    const std::pair<const char *, Command> commands[] = {
        {"/new", Command::Register}, {"/sort", Command::KeywordOrder}, {"/help", Command::Help}};
    for (const auto &[text, command] : commands) {
        int runs = 0;
        launcher()->setHandler(command, [&] { ++runs; });
        enter(text);
        EXPECT_EQ(runs, 1) << text;
        EXPECT_TRUE(displayCleared()) << text;
    }
}

TEST_F(MainWindowDispatch, SuffixesAreCutBeforeTheCommandRuns)
{
    QString seen;
    for (Command command : {Command::DeleteEntry, Command::OpenTargetFolder, Command::Register})
        launcher()->setHandler(command, [&] { seen = input()->text(); });
    enter("memo/del");
    EXPECT_EQ(seen, "memo");
    enter("/delx");
    EXPECT_EQ(seen, "/");
    enter("memo/up");
    EXPECT_EQ(seen, "memo");
    enter("foo/set");
    EXPECT_EQ(seen, "foo");
    EXPECT_TRUE(displayCleared());
}

TEST_F(MainWindowDispatch, ATypedCommandsErrorLeavesTheLineAsAClickedOneShowsIt)
{
    launcher()->setHandler(Command::Register, [] { throw Error(QStringLiteral("no dialog")); });
    window->toggleLock();
    enter("foo/set");
    EXPECT_EQ(interaction.errors, QStringList(QStringLiteral("no dialog.")));
    EXPECT_EQ(input()->text(), "foo");
    EXPECT_TRUE(window->locked());

    action(Command::Register)->trigger();
    EXPECT_EQ(interaction.errors.size(), 2);
}

TEST_F(MainWindowDispatch, LockSuffixTogglesAndKeepsTheEntryShown)
{
    showEntry();
    clock()->holdForTyping();
    enter("memo/lock");
    EXPECT_TRUE(window->locked());
    EXPECT_EQ(action(Command::Lock)->text(), QStringLiteral("ロックを解除"));
    EXPECT_EQ(input()->text(), "memo");
    EXPECT_EQ(description()->text(), "notes");
    EXPECT_FALSE(icon()->pixmap().isNull());
    EXPECT_TRUE(clock()->userTyping());
    enter("memo/lock");
    EXPECT_FALSE(window->locked());
    EXPECT_EQ(action(Command::Lock)->text(), QStringLiteral("ロック"));
}

TEST_F(MainWindowDispatch, ArithmeticLeavesTheResultInTheLineAndOnTheClipboard)
{
    enter("2*3");
    EXPECT_EQ(input()->text(), "6");
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "6");
    enter("1/3");
    EXPECT_EQ(input()->text(), "0.333333333333333");
    EXPECT_TRUE(interaction.errors.isEmpty());
}

TEST_F(MainWindowDispatch, FailuresKeepTheInputAndShowTheErrorBox)
{
    window->toggleLock();
    enter("1/0");
    EXPECT_EQ(input()->text(), "1/0");
    EXPECT_EQ(interaction.errors, QStringList(QStringLiteral("0 による浮動小数点数除算.")));
    EXPECT_TRUE(window->locked());

    enter("/NEW"); // not the exact command: the calculator refuses it
    EXPECT_EQ(interaction.errors.last(),
              QStringLiteral("誤った表記が見られます。修正して下さい。."));

    // What the shell cannot open is shown, and the line is cleared as after a launch.
    shell.failWith = QStringLiteral("cannot open");
    for (const char *text : {"memo", "http://example.org"}) {
        showEntry();
        enter(text);
        EXPECT_EQ(interaction.errors.last(), QStringLiteral("cannot open.")) << text;
        EXPECT_TRUE(displayCleared()) << text;
        EXPECT_FALSE(window->locked()) << text;
    }
}

TEST_F(MainWindowDispatch, KeysAreSeenBeforeTheLineActsOnThem)
{
    clock()->holdForTyping();
    press(Qt::Key_Left);
    EXPECT_TRUE(clock()->userTyping()); // a key without a character is no typing
    press(Qt::Key_Escape);
    EXPECT_FALSE(clock()->userTyping());
    EXPECT_TRUE(clock()->isOn());

    // "/" accepts a proposal whole before the character is typed.
    input()->setText("memo");
    input()->setSelection(1, 3);
    type("/");
    EXPECT_EQ(input()->text(), "memo/");

    showEntry();
    press(Qt::Key_Escape);
    EXPECT_TRUE(displayCleared());

    input()->setText("foo");
    press(Qt::Key_Return);
    ASSERT_EQ(shell.calls.size(), 1);
    EXPECT_EQ(shell.calls[0].target, "/bin/foo");
}

} // namespace
