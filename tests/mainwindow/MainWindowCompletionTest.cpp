#include "WindowsFixture.h"

#include "keywords/KeywordStore.h"
#include "mainwindow/EntryDisplay.h"
#include "mainwindow/IdleClock.h"
#include "mainwindow/KeywordLineEdit.h"
#include "mainwindow/Launcher.h"
#include "mainwindow/MainWindow.h"

#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QDeadlineTimer>
#include <QDir>
#include <QInputMethodEvent>
#include <QLabel>
#include <QMenu>
#include <QTimer>
#include <QWheelEvent>

#include <algorithm>

namespace {

class MainWindowCompletion : public WindowsFixture
{
protected:
    void SetUp() override
    {
        dir.write("data.lst",
                  "fox\r\nfoo\r\n\x83\x81\x83\x82\r\ndustbox\r\nDustbox2\r\nfifo\r\nfirst\r\n");
        dir.write("data/fox", "/bin/fox\r\nthe fox\r\n");
        dir.write("data/foo", "/bin/foo\r\nthe foo\r\n");
        dir.write("data/\xe3\x83\xa1\xe3\x83\xa2", "/bin/memo\r\n\x83\x81\x83\x82\r\n"); // メモ
        dir.write("data/dustbox",
                  "explorer.exe\r\n\r\n::{645FF040-5081-101B-9F08-00AA002F954E}\r\n");
        QDir(dir.path()).mkpath("data/fifo"); // a folder where the entry file should be
        dir.write("data/first", "/bin/first\r\nthe first\r\n");
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

    void send(int key, Qt::KeyboardModifiers modifiers)
    {
        QKeyEvent event(QEvent::KeyPress, key, modifiers);
        QApplication::sendEvent(keywordBox(), &event);
    }

    void showClock()
    {
        clock()->resume();
        for (int i = 0; i < 5; ++i)
            clock()->tick();
        ASSERT_TRUE(clock()->showsTime());
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

// Only typing changes the keyword: the list's navigation keys and the wheel, which would
// step through the items, leave the line as it is, whether or not a row was picked before.
TEST_F(MainWindowCompletion, NavigationKeysAndTheWheelKeepTheKeyword)
{
    const auto wheel = [this] {
        for (const int delta : {-120, 120, 120}) {
            QWheelEvent event(QPointF(5, 5), keywordBox()->mapToGlobal(QPointF(5, 5)), QPoint(),
                              QPoint(0, delta), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase,
                              false);
            QApplication::sendEvent(keywordBox(), &event);
        }
    };
    const std::pair<const char *, Qt::Key> steps[] = {{"PageUp", Qt::Key_PageUp},
                                                      {"PageDown", Qt::Key_PageDown},
                                                      {"Up", Qt::Key_Up},
                                                      {"wheel", Qt::Key_unknown}};
    for (const auto &[name, key] : steps) {
        for (const bool picked : {false, true}) {
            SCOPED_TRACE(std::string(name) + (picked ? " after a pick" : " after typing"));
            input()->clear();
            if (picked) {
                keywordBox()->setCurrentIndex(1); // as a pick from the open list leaves it
                emit keywordBox()->activated(1);
            } else {
                type("fo");
            }
            const QString shown = text();
            const QString proposal = selected();
            if (key == Qt::Key_unknown)
                wheel();
            else
                press(key);
            EXPECT_EQ(text(), shown);
            EXPECT_EQ(selected(), proposal);
            EXPECT_EQ(description()->text(), picked ? "the foo" : "the fox");
        }
    }
}

// Whatever the user edits while the clock shows starts from an empty line: keys, and the
// line's own menu. Copying takes the clock's text and leaves it standing.
TEST_F(MainWindowCompletion, EditsOfTheClockStartFromAnEmptyLine)
{
    struct Case
    {
        const char *name;
        std::function<void()> edit;
        QString result;
    };
    // The line's menu, its Paste item or the one after it (Delete, which has no shortcut).
    const auto menuItem = [this](qsizetype afterPaste) {
        return [this, afterPaste] {
            QContextMenuEvent event(QContextMenuEvent::Keyboard, QPoint(2, 2),
                                    input()->mapToGlobal(QPoint(2, 2)));
            QApplication::sendEvent(input(), &event);
            auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
            ASSERT_NE(menu, nullptr);
            const QList<QAction *> items = menu->actions();
            // The item's text ends with its key, after a tab.
            const QString pasteKey =
                QKeySequence(QKeySequence::Paste).toString(QKeySequence::NativeText);
            const auto paste = std::ranges::find_if(
                items, [&](QAction *item) { return item->text().endsWith(u'\t' + pasteKey); });
            ASSERT_LT(paste - items.begin() + afterPaste, items.size());
            QAction *item = *(paste + afterPaste);
            menu->close();
            item->trigger();
        };
    };
    const Case cases[] = {
        {"Ctrl+V", [this] { send(Qt::Key_V, Qt::ControlModifier); }, "memo"},
        {"Shift+Insert", [this] { send(Qt::Key_Insert, Qt::ShiftModifier); }, "memo"},
        {"Backspace", [this] { send(Qt::Key_Backspace, Qt::NoModifier); }, ""},
        {"Delete", [this] { send(Qt::Key_Delete, Qt::NoModifier); }, ""},
        {"Ctrl+Backspace", [this] { send(Qt::Key_Backspace, Qt::ControlModifier); }, ""},
        {"menu Paste", menuItem(0), "memo"},
        {"menu Delete", menuItem(1), ""},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        QGuiApplication::clipboard()->setText("memo");
        input()->clear();
        showClock();
        for (const int caret : {0, 3}) {
            input()->setCursorPosition(caret); // wherever the caret stands
            c.edit();
            EXPECT_EQ(text(), c.result);
            if (!c.result.isEmpty())
                break;
            showClock();
        }
    }

    showClock();
    const QString time = text();
    send(Qt::Key_A, Qt::ControlModifier);
    send(Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(text(), time);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), time);
}

// An entry that cannot be read is reported once while the line names its keyword, and the
// line stays as it was, its proposal selected, so that typing on replaces it.
TEST_F(MainWindowCompletion, AnUnreadableEntryIsReportedOnceAndTheProposalStays)
{
    type("fi");
    EXPECT_EQ(interaction.errors.size(), 1);
    EXPECT_EQ(text(), "fifo");
    EXPECT_EQ(selected(), "fo");
    type("f");
    EXPECT_EQ(interaction.errors.size(), 1) << "reported again";
    EXPECT_EQ(selected(), "o");
    press(Qt::Key_Backspace);
    press(Qt::Key_Backspace);
    type("r");
    EXPECT_EQ(text(), "first");
    EXPECT_EQ(description()->text(), "the first");

    press(Qt::Key_Escape);
    type("fif"); // named anew, it is reported anew
    EXPECT_EQ(interaction.errors.size(), 2);
}

// The clock's text stands in the line until the user types or composes over it.
TEST_F(MainWindowCompletion, TheClockGivesWayToTypingAndToComposing)
{
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

namespace {

// Where nothing completes literally, the first keyword the line's reading reaches is offered:
// the line keeps what was typed, the keyword's name stands beside its description, and Enter
// opens it. A literal completion always wins.
TEST_F(MainWindowCompletion, AKeywordIsReachedByItsReadingWhereNothingCompletes)
{
    // The readings are made on a thread of their own after start-up; a text typed before
    // they are ready is offered what they reach when they are.
    type(QStringLiteral("ｆｏｘ"));
    const QDeadlineTimer deadline(20000);
    while (description()->text().isEmpty() && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    EXPECT_EQ(text(), QStringLiteral("ｆｏｘ"));
    EXPECT_EQ(description()->text(), QStringLiteral("fox — the fox"));

    input()->clear();
    type(QStringLiteral("めも"));
    EXPECT_EQ(text(), QStringLiteral("めも"));
    EXPECT_EQ(description()->text(), QStringLiteral("メモ — メモ"));
    // The commands take the offered keyword, as they take a completed one.
    interaction.answers = {Interaction::Button::Cancel};
    launcher()->run(LauncherCommand::DeleteEntry);
    ASSERT_EQ(interaction.warnings.size(), 1);
    EXPECT_TRUE(interaction.warnings.first().contains(QStringLiteral("「メモ」")))
        << interaction.warnings.first().toStdString();
    press(Qt::Key_Return);
    ASSERT_EQ(shell.calls.size(), 1);
    EXPECT_EQ(shell.calls.first().target, QStringLiteral("/bin/memo"));

    type(QStringLiteral("fo")); // fox completes literally
    EXPECT_EQ(text(), QStringLiteral("fox"));
    EXPECT_EQ(description()->text(), QStringLiteral("the fox"));
}

// An offer lasts while the text reaches it; the typed commands' suffixes take the keyword the
// text before them reaches, as the menu's commands do.
TEST_F(MainWindowCompletion, AReadingsOfferFollowsTheLine)
{
    type(QStringLiteral("memo"));
    const QDeadlineTimer deadline(20000);
    while (description()->text().isEmpty() && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    EXPECT_EQ(description()->text(), QStringLiteral("メモ — メモ"));
    type(QStringLiteral("x"));
    EXPECT_EQ(text(), QStringLiteral("memox"));
    EXPECT_TRUE(description()->text().isEmpty());
    EXPECT_TRUE(icon()->pixmap().isNull());

    QStringList edits;
    QObject::connect(launcher(), &Launcher::entryEditRequested,
                     [&edits](const QString &keyword) { edits.append(keyword); });
    input()->clear();
    type(QStringLiteral("めも/set"));
    press(Qt::Key_Return);
    EXPECT_EQ(edits, QStringList{QStringLiteral("メモ")});
    input()->clear();
    type(QStringLiteral("memo/up"));
    press(Qt::Key_Return);
    ASSERT_EQ(shell.calls.size(), 1);
    EXPECT_EQ(shell.calls.first().target, QStringLiteral("/bin/"));
    interaction.answers = {Interaction::Button::Ok};
    type(QStringLiteral("memo/del"));
    press(Qt::Key_Return);
    ASSERT_EQ(interaction.warnings.size(), 1);
    EXPECT_TRUE(interaction.warnings.first().contains(QStringLiteral("「メモ」")));
    EXPECT_FALSE(file("data.lst").contains("\x83\x81\x83\x82"));
}

} // namespace
