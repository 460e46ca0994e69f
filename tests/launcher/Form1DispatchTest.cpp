#include "Form1Fixture.h"

#include "launcher/KeywordLineEdit.h"
#include "launcher/KeywordStore.h"

#include <QAction>
#include <QClipboard>
#include <QComboBox>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QTimer>

namespace {

class Form1Dispatch : public Form1Fixture
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
        form->Image1->setPixmap(QPixmap(32, 32));
        form->Label1->setText(QStringLiteral("notes"));
    }
};

TEST_F(Form1Dispatch, LaunchesAKeywordWithItsParameters)
{
    form->N14Click();
    form->typingFlag = 1;
    showEntry();
    enter("memo");
    ASSERT_EQ(shell.calls.size(), 1);
    EXPECT_EQ(shell.calls[0], (FakeShell::Call{"/usr/bin/memo", "--new \"a b\""}));
    EXPECT_TRUE(displayCleared());
    EXPECT_FALSE(form->locked());
    EXPECT_EQ(form->typingFlag, 0);
    EXPECT_TRUE(form->Timer1->isActive());
}

TEST_F(Form1Dispatch, KeywordsAreFoundWhateverTheirCaseAndListing)
{
    enter("FOO");
    enter("hidden");
    ASSERT_EQ(shell.calls.size(), 2);
    EXPECT_EQ(shell.calls[0], (FakeShell::Call{"/bin/foo", ""}));
    EXPECT_EQ(shell.calls[1].target, "/bin/hidden");
}

TEST_F(Form1Dispatch, UnknownTextOrMissingEntryClearsAndUnlocks)
{
    for (const char *text : {"nothing", "stale", ""}) {
        form->N14Click();
        showEntry();
        enter(text);
        EXPECT_TRUE(displayCleared()) << text;
        EXPECT_FALSE(form->locked()) << text;
    }
    EXPECT_TRUE(shell.calls.isEmpty());
    EXPECT_TRUE(interaction.errors.isEmpty());
}

TEST_F(Form1Dispatch, SpecialNamesPowerOffOrRestartWhetherRegisteredOrNot)
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

    power.grantPrivilege = false;
    enter("shutdown");
    EXPECT_EQ(interaction.errors, QStringList(QStringLiteral("特権の取得に失敗しました。.")));
    EXPECT_EQ(form->ComboBox1Edit->text(), "shutdown");
}

TEST_F(Form1Dispatch, AddressesGoToTheShellWhole)
{
    enter("see http://example.org");
    enter("HTTPS://example.org/?q=1+2");
    ASSERT_EQ(shell.calls.size(), 2);
    EXPECT_EQ(shell.calls[0].target, "see http://example.org");
    EXPECT_EQ(shell.calls[1].target, "HTTPS://example.org/?q=1+2");
    EXPECT_TRUE(displayCleared());
}

TEST_F(Form1Dispatch, ExactSlashCommandsClickTheirItems)
{
    const std::pair<const char *, QAction *> commands[] = {
        {"/new", form->N8}, {"/sort", form->N16}, {"/help", form->N6}};
    for (const auto &[text, item] : commands) {
        int clicks = 0;
        QObject::connect(item, &QAction::triggered, form, [&] { ++clicks; });
        enter(text);
        EXPECT_EQ(clicks, 1) << text;
        EXPECT_TRUE(displayCleared()) << text;
    }
}

TEST_F(Form1Dispatch, SuffixesAreCutBeforeTheCommandRuns)
{
    QString seen;
    QObject::connect(form->N9, &QAction::triggered, form,
                     [&] { seen = form->ComboBox1Edit->text(); });
    enter("memo/del");
    EXPECT_EQ(seen, "memo");
    enter("/delx");
    EXPECT_EQ(seen, "/");

    QObject::connect(form->N2, &QAction::triggered, form,
                     [&] { seen = form->ComboBox1Edit->text(); });
    enter("memo/up");
    EXPECT_EQ(seen, "memo");

    QObject::connect(form->N8, &QAction::triggered, form,
                     [&] { seen = form->ComboBox1Edit->text(); });
    enter("foo/set");
    EXPECT_EQ(seen, "foo");
    EXPECT_TRUE(displayCleared());
}

TEST_F(Form1Dispatch, LockSuffixTogglesAndKeepsTheEntryShown)
{
    showEntry();
    form->typingFlag = 1;
    enter("memo/lock");
    EXPECT_TRUE(form->locked());
    EXPECT_EQ(form->N14->text(), QStringLiteral("ロックを解除"));
    EXPECT_EQ(form->ComboBox1Edit->text(), "memo");
    EXPECT_EQ(form->Label1->text(), "notes");
    EXPECT_FALSE(form->Image1->pixmap().isNull());
    EXPECT_EQ(form->typingFlag, 1);
    enter("memo/lock");
    EXPECT_FALSE(form->locked());
    EXPECT_EQ(form->N14->text(), QStringLiteral("ロック"));
}

TEST_F(Form1Dispatch, ArithmeticLeavesTheResultInTheLineAndOnTheClipboard)
{
    enter("2*3");
    EXPECT_EQ(form->ComboBox1Edit->text(), "6");
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "6");
    enter("1/3");
    EXPECT_EQ(form->ComboBox1Edit->text(), "0.333333333333333");
    EXPECT_TRUE(interaction.errors.isEmpty());
}

TEST_F(Form1Dispatch, FailuresKeepTheInputAndShowTheErrorBox)
{
    form->N14Click();
    enter("1/0");
    EXPECT_EQ(form->ComboBox1Edit->text(), "1/0");
    EXPECT_EQ(interaction.errors, QStringList(QStringLiteral("0 による浮動小数点数除算.")));
    EXPECT_TRUE(form->locked());

    enter("/NEW"); // not the exact command: the calculator refuses it
    EXPECT_EQ(interaction.errors.last(),
              QStringLiteral("誤った表記が見られます。修正して下さい。."));

    shell.failWith = QStringLiteral("cannot open");
    enter("memo");
    EXPECT_EQ(interaction.errors.last(), QStringLiteral("cannot open."));
    EXPECT_EQ(form->ComboBox1Edit->text(), "memo");
}

TEST_F(Form1Dispatch, KeysAreSeenBeforeTheLineActsOnThem)
{
    form->typingFlag = 1;
    form->Timer1->stop();
    press(Qt::Key_Left);
    EXPECT_EQ(form->typingFlag, 1); // a key without a character is no typing
    press(Qt::Key_Escape);
    EXPECT_EQ(form->typingFlag, 0);
    EXPECT_TRUE(form->Timer1->isActive());

    // "/" accepts a proposal whole before the character is typed.
    form->ComboBox1Edit->setText("memo");
    form->ComboBox1Edit->setSelection(1, 3);
    type("/");
    EXPECT_EQ(form->ComboBox1Edit->text(), "memo/");

    showEntry();
    press(Qt::Key_Escape);
    EXPECT_TRUE(displayCleared());

    form->ComboBox1Edit->setText("foo");
    press(Qt::Key_Return);
    ASSERT_EQ(shell.calls.size(), 1);
    EXPECT_EQ(shell.calls[0].target, "/bin/foo");
}

} // namespace
