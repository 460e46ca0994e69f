#include "Form1Fixture.h"

#include "launcher/KeywordLineEdit.h"
#include "launcher/KeywordStore.h"

#include <QApplication>
#include <QComboBox>
#include <QInputMethodEvent>
#include <QLabel>
#include <QTimer>

namespace {

class Form1Completion : public Form1Fixture
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

    QString text() const { return form->ComboBox1Edit->text(); }
    QString selected() const { return form->ComboBox1Edit->selectedText(); }

    void commit(const QString &committed, const QString &preedit = {})
    {
        QInputMethodEvent event(preedit, {});
        event.setCommitString(committed);
        QApplication::sendEvent(form->ComboBox1Edit, &event);
    }
};

TEST_F(Form1Completion, ProposesTheFirstRowInListOrder)
{
    type("f");
    EXPECT_EQ(text(), "fox");
    EXPECT_EQ(selected(), "ox");
    EXPECT_EQ(form->Label1->text(), "the fox");
    EXPECT_FALSE(form->Image1->pixmap().isNull());
    EXPECT_EQ(form->ComboBox1Edit->currentRow(), 0);
    EXPECT_EQ(form->typingFlag, 1);
    EXPECT_FALSE(form->Timer1->isActive());

    type("o"); // fo: fox again
    EXPECT_EQ(text(), "fox");
    EXPECT_EQ(selected(), "x");
    type("o"); // foo only now
    EXPECT_EQ(text(), "foo");
    EXPECT_EQ(form->Label1->text(), "the foo");
}

TEST_F(Form1Completion, NoMatchInsertsAndKeepsWhatIsShown)
{
    type("fx");
    EXPECT_EQ(text(), "fx");
    EXPECT_EQ(form->ComboBox1Edit->currentRow(), -1);
    EXPECT_EQ(form->Label1->text(), "the fox");
}

TEST_F(Form1Completion, TypedLettersKeepTheirCase)
{
    type("FOO");
    EXPECT_EQ(text(), "FOO");
    EXPECT_FALSE(form->ComboBox1Edit->hasSelectedText());
    EXPECT_EQ(form->Label1->text(), "the foo");
}

TEST_F(Form1Completion, BackspaceRemovesTheProposal)
{
    type("fo");
    press(Qt::Key_Backspace);
    EXPECT_EQ(text(), "fo");
    EXPECT_EQ(form->ComboBox1Edit->currentRow(), -1);
    press(Qt::Key_Backspace);
    EXPECT_EQ(text(), "f");
    EXPECT_EQ(form->Label1->text(), "the fox"); // f is no keyword: the display stays
}

TEST_F(Form1Completion, CommittedInputMethodTextIsCompleted)
{
    commit(QStringLiteral("メ"));
    EXPECT_EQ(text(), QStringLiteral("メモ"));
    EXPECT_EQ(selected(), QStringLiteral("モ"));
    EXPECT_EQ(form->Label1->text(), QStringLiteral("メモ"));

    form->ComboBox1Edit->clear();
    form->Label1->clear();
    commit(QString(), QStringLiteral("め")); // a composition alone is left alone
    EXPECT_TRUE(text().isEmpty());
    EXPECT_TRUE(form->Label1->text().isEmpty());
}

TEST_F(Form1Completion, PickingFromTheListShowsTheRow)
{
    emit form->ComboBox1->activated(1);
    EXPECT_EQ(text(), "foo");
    EXPECT_EQ(form->ComboBox1Edit->currentRow(), 1);
    EXPECT_EQ(form->Label1->text(), "the foo");
}

TEST_F(Form1Completion, TextSetByTheProgramNeverChangesTheDisplay)
{
    type("fox");
    form->idleTicks = 4;
    form->typingFlag = 0;
    form->Timer1Timer(); // the clock
    enter("2*3");        // a result
    EXPECT_EQ(text(), "6");
    EXPECT_EQ(form->Label1->text(), "the fox");
}

TEST_F(Form1Completion, SpecialItemsGetTheirIconByExactName)
{
    type("dustbox");
    ASSERT_FALSE(icons.calls.isEmpty());
    EXPECT_EQ(icons.calls.last().file, "shell32.dll");
    EXPECT_EQ(icons.calls.last().index, 31);
}

TEST_F(Form1Completion, AMissingEntryFileIsReportedAndTheCounterKept)
{
    type("Dustbox");
    form->idleTicks = 3;
    type("2");
    ASSERT_EQ(interaction.errors.size(), 1);
    EXPECT_TRUE(interaction.errors[0].contains("data/Dustbox2"));
    EXPECT_EQ(form->idleTicks, 3);
}

} // namespace
