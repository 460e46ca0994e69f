#include "WindowsFixture.h"

#include "launcher/EntryDisplay.h"
#include "launcher/IdleClock.h"
#include "launcher/KeywordLineEdit.h"
#include "launcher/KeywordStore.h"
#include "launcher/MainWindow.h"

#include <QApplication>
#include <QComboBox>
#include <QInputMethodEvent>
#include <QAbstractItemView>
#include <QLabel>
#include <QTimer>

namespace {

class MainWindowCompletion : public WindowsFixture
{
protected:
    void SetUp() override
    {
        dir.write("data.lst", "fox\r\nfoo\r\n\x83\x81\x83\x82\r\ndustbox\r\nDustbox2\r\n");
        dir.write("data/fox", "/bin/fox\r\nthe fox\r\n");
        dir.write("data/foo", "/bin/foo\r\nthe foo\r\n");
        dir.write("data/\xe3\x83\xa1\xe3\x83\xa2", "/bin/memo\r\n\x83\x81\x83\x82\r\n"); // メモ
        dir.write("data/dustbox",
                  "explorer.exe\r\n\r\n::{645FF040-5081-101B-9F08-00AA002F954E}\r\n");
        dir.write("tblaunch.ini", "[Setting]\r\nDustBoxName=dustbox\r\n");
        icons.answer = QPixmap(32, 32);
        start();
    }

    QString text() const { return input()->text(); }
    QString selected() const { return input()->selectedText(); }

    void commit(const QString &committed, const QString &preedit = {})
    {
        QInputMethodEvent event(preedit, {});
        event.setCommitString(committed);
        QApplication::sendEvent(input(), &event);
    }
};

// A description is shown as the text it is, and no further than the line could ever show.
TEST_F(MainWindowCompletion, DescriptionsArePlainTextCutToWhatTheLineShows)
{
    const QString markup = "<b>bold</b> <img src=\"/dev/zero\">";
    dir.write("data/fox", "/bin/fox\r\n" + markup.toLatin1() + "\r\n");
    type("f");
    EXPECT_EQ(description()->textFormat(), Qt::PlainText);
    EXPECT_EQ(description()->text(), markup);

    dir.write("data/foo", "/bin/foo\r\n" + QByteArray(100000, 'x') + "\r\n");
    type("oo");
    EXPECT_EQ(description()->text(), QString(EntryDisplay::ShownDescriptionLength, u'x'));
}

TEST_F(MainWindowCompletion, ProposesTheFirstRowInListOrder)
{
    type("f");
    EXPECT_EQ(text(), "fox");
    EXPECT_EQ(selected(), "ox");
    EXPECT_EQ(description()->text(), "the fox");
    EXPECT_FALSE(icon()->pixmap().isNull());
    EXPECT_EQ(input()->currentRow(), 0);
    EXPECT_TRUE(clock()->userTyping());
    EXPECT_FALSE(clock()->isOn());

    type("o"); // fo: fox again
    EXPECT_EQ(text(), "fox");
    EXPECT_EQ(selected(), "x");
    type("o"); // foo only now
    EXPECT_EQ(text(), "foo");
    EXPECT_EQ(description()->text(), "the foo");
}

TEST_F(MainWindowCompletion, NoMatchInsertsAndKeepsWhatIsShown)
{
    type("fx");
    EXPECT_EQ(text(), "fx");
    EXPECT_EQ(input()->currentRow(), -1);
    EXPECT_EQ(description()->text(), "the fox");
}

TEST_F(MainWindowCompletion, TypedLettersKeepTheirCase)
{
    type("FOO");
    EXPECT_EQ(text(), "FOO");
    EXPECT_FALSE(input()->hasSelectedText());
    EXPECT_EQ(description()->text(), "the foo");
}

TEST_F(MainWindowCompletion, BackspaceRemovesTheProposal)
{
    type("fo");
    press(Qt::Key_Backspace);
    EXPECT_EQ(text(), "fo");
    EXPECT_EQ(input()->currentRow(), -1);
    press(Qt::Key_Backspace);
    EXPECT_EQ(text(), "f");
    EXPECT_EQ(description()->text(), "the fox"); // f is no keyword: the display stays
}

TEST_F(MainWindowCompletion, CommittedInputMethodTextIsCompleted)
{
    commit(QStringLiteral("メ"));
    EXPECT_EQ(text(), QStringLiteral("メモ"));
    EXPECT_EQ(selected(), QStringLiteral("モ"));
    EXPECT_EQ(description()->text(), QStringLiteral("メモ"));

    input()->clear();
    description()->clear();
    commit(QString(), QStringLiteral("め")); // a composition alone is left alone
    EXPECT_TRUE(text().isEmpty());
    EXPECT_TRUE(description()->text().isEmpty());
}

TEST_F(MainWindowCompletion, PickingFromTheListShowsTheRow)
{
    emit keywordBox()->activated(1);
    EXPECT_EQ(text(), "foo");
    EXPECT_EQ(input()->currentRow(), 1);
    EXPECT_EQ(description()->text(), "the foo");
}

TEST_F(MainWindowCompletion, TextSetByTheProgramNeverChangesTheDisplay)
{
    type("fox");
    clock()->resume();
    for (int i = 0; i < 5; ++i)
        clock()->tick(); // the clock
    ASSERT_NE(text(), "fox");
    enter("2*3"); // a result
    EXPECT_EQ(text(), "6");
    EXPECT_EQ(description()->text(), "the fox");
}

TEST_F(MainWindowCompletion, SpecialItemsGetTheirIconByExactName)
{
    type("dustbox");
    ASSERT_FALSE(icons.calls.isEmpty());
    EXPECT_EQ(icons.calls.last().file, "shell32.dll");
    EXPECT_EQ(icons.calls.last().index, 31);
}

TEST_F(MainWindowCompletion, AMissingEntryFileIsReportedAndTheCounterKept)
{
    type("Dustbox");
    clock()->resume();
    for (int i = 0; i < 3; ++i)
        clock()->tick();
    type("2");
    ASSERT_EQ(interaction.errors.size(), 1);
    EXPECT_TRUE(interaction.errors[0].contains("data/Dustbox2"));
    EXPECT_EQ(clock()->idleTicks(), 3);
}

TEST_F(MainWindowCompletion, DownOpensTheListAndKeepsTheProposal)
{
    type("fo");
    press(Qt::Key_Down);
    EXPECT_TRUE(keywordBox()->view()->isVisible());
    EXPECT_EQ(text(), "fox");
    EXPECT_EQ(selected(), "x");
    keywordBox()->hidePopup();
    EXPECT_EQ(text(), "fox");
}

// The clock's text stands in the line until the user types or composes over it.
TEST_F(MainWindowCompletion, TheClockGivesWayToTypingAndToComposing)
{
    const auto showClock = [this] {
        clock()->resume();
        for (int i = 0; i < 5; ++i)
            clock()->tick();
        ASSERT_TRUE(clock()->showsTime());
    };
    showClock();
    type("/new");
    EXPECT_EQ(text(), "/new");

    input()->clear();
    showClock();
    commit(QString(), QStringLiteral("め"));
    EXPECT_TRUE(text().isEmpty()); // the clock's text gave way to the composition
    EXPECT_FALSE(clock()->isOn());
    clock()->switchOn();
    clock()->tick(); // a tick during the composition neither replaces nor follows it
    EXPECT_TRUE(text().isEmpty());
    EXPECT_FALSE(clock()->isOn());
    commit(QStringLiteral("メ"));
    EXPECT_EQ(text(), QStringLiteral("メモ"));
}

} // namespace
