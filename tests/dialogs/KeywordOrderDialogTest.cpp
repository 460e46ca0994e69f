#include "WindowsFixture.h"

#include "dialogs/KeywordOrderDialog.h"
#include "dialogs/KeywordOrderView.h"

#include "CaseName.h"
#include "FileSizeLimit.h"
#include "base/TextFile.h"
#include "keywords/KeywordReadings.h"
#include "keywords/KeywordStore.h"
#include "settings/Settings.h"

#include <QApplication>
#include <QDropEvent>
#include <QEventLoop>
#include <QHeaderView>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QMimeData>
#include <QPushButton>
#include <QTimer>
#include <QTreeView>

namespace {

class KeywordOrderDialogTest : public WindowsFixture
{
protected:
    void writeList(const QStringList &rows) const
    {
        dir.write("data.lst", TextFile::encodeLines(rows));
    }
    void writeEntry(const QString &keyword, const QString &target) const
    {
        dir.write("data/" + keyword, TextFile::encodeLines({target, {}, {}}));
    }

    void open(const QStringList &rows)
    {
        writeList(rows);
        dialog.openAt({38, 52});
    }
    // Likewise, the list's readings made first, as the main window makes them.
    void openRead(const QStringList &rows)
    {
        writeList(rows);
        store.load();
        if (!readings.ready())
            readings.start();
        ASSERT_TRUE(readingsReady());
        dialog.openAt({38, 52});
    }

    bool readingsReady()
    {
        if (!readings.ready()) {
            QEventLoop loop;
            QObject::connect(&readings, &KeywordReadings::readingsReady, &loop, &QEventLoop::quit);
            QTimer::singleShot(20000, &loop, &QEventLoop::quit);
            loop.exec();
        }
        return readings.ready();
    }

    QTreeView *list() const { return child<QTreeView>(dialog, "keywords"); }
    QModelIndex row(int r) const { return list()->model()->index(r, 0); }
    QStringList rows() const
    {
        QStringList texts;
        for (int r = 0; r < list()->model()->rowCount(); ++r)
            texts.append(row(r).data().toString());
        return texts;
    }
    QString selected() const
    {
        return list()->selectionModel()->selectedRows().value(0).data().toString();
    }
    QString tip(int r) const { return row(r).data(Qt::ToolTipRole).toString(); }
    bool marked(int r) const { return !row(r).data(Qt::DecorationRole).value<QIcon>().isNull(); }
    QString summary() const { return child<QLabel>(dialog, "summary")->text(); }

    void pressControl(Qt::Key key) const
    {
        QKeyEvent press(QEvent::KeyPress, key, Qt::ControlModifier);
        QApplication::sendEvent(list(), &press);
    }

    // Waits for the look at the targets, never longer than a few seconds.
    bool waitForTargets() { return waitForTargetsOf(dialog); }
    static bool waitForTargetsOf(KeywordOrderDialog &window)
    {
        QEventLoop loop;
        bool checked = false;
        QObject::connect(&window, &KeywordOrderDialog::targetsChecked, &loop, [&] {
            checked = true;
            loop.quit();
        });
        QTimer::singleShot(10000, &loop, &QEventLoop::quit);
        loop.exec();
        return checked;
    }

    KeywordStore store{dir.path()};
    Settings settings{dir.file("tblaunch.ini"), keyNames};
    KeywordReadings readings{store};
    KeywordOrderDialog dialog{context, store, readings, settings};
};

TEST_F(KeywordOrderDialogTest, BuildsNothingUntilOpenedAndRefillsFromDataLstEachTime)
{
    EXPECT_TRUE(dialog.findChildren<QObject *>().isEmpty());

    open({"apple", "banana"});
    EXPECT_EQ(interaction.modalCount, 1);
    EXPECT_EQ(dialog.windowTitle(), "登録キーワード保守");
    EXPECT_EQ(rows(), QStringList({"apple", "banana"}));

    // Registered meanwhile: the rows are what data.lst holds now.
    open({"apple", "avocado", "banana"});
    EXPECT_EQ(rows(), QStringList({"apple", "avocado", "banana"}));
    EXPECT_EQ(interaction.modalCount, 2);
}

struct Move
{
    const char *name;
    QStringList rows;
    int selected;
    int onto;
    QStringList expected; // empty when nothing moves
};

class KeywordOrderMoves : public KeywordOrderDialogTest, public ::testing::WithParamInterface<Move>
{
};

TEST_P(KeywordOrderMoves, PutsTheRowBeforeTheOneDroppedOnWithinItsFirstCharacter)
{
    const Move &c = GetParam();
    open(c.rows);
    list()->setCurrentIndex(row(c.selected));
    const QString moving = c.rows[c.selected];
    EXPECT_EQ(dialog.moveSelectedOnto(c.onto), !c.expected.isEmpty());
    EXPECT_EQ(rows(), c.expected.isEmpty() ? c.rows : c.expected);
    EXPECT_EQ(selected(), moving);
}

const QStringList kFruit{"apple", "apricot", "avocado", "banana"};

INSTANTIATE_TEST_SUITE_P(
    Cases, KeywordOrderMoves,
    ::testing::Values(
        Move{"Up", kFruit, 2, 0, {"avocado", "apple", "apricot", "banana"}},
        Move{"Down", kFruit, 0, 2, {"apricot", "apple", "avocado", "banana"}},
        Move{"OtherFirstCharacter", kFruit, 3, 0, {}},
        Move{"CaseIgnored", {"apricot", "avocado", "Apple"}, 2, 0, {"Apple", "apricot", "avocado"}},
        Move{"OntoItself", kFruit, 1, 1, {}}, Move{"OntoTheNextRow", kFruit, 1, 2, {}},
        Move{"DoubleByte", {"日本", "日記", "本"}, 1, 0, {"日記", "日本", "本"}},
        Move{"PastTheLastRow", kFruit, 0, 4, {}}),
    CaseName());

TEST_F(KeywordOrderDialogTest, ControlArrowsStepTheRowWithinItsGroup)
{
    open(kFruit);
    list()->setCurrentIndex(row(1));
    pressControl(Qt::Key_Up);
    EXPECT_EQ(rows(), QStringList({"apricot", "apple", "avocado", "banana"}));
    pressControl(Qt::Key_Up);
    pressControl(Qt::Key_Down);
    pressControl(Qt::Key_Down);
    pressControl(Qt::Key_Down); // banana begins another group
    EXPECT_EQ(rows(), QStringList({"apple", "avocado", "apricot", "banana"}));
    EXPECT_EQ(selected(), "apricot");
}

TEST_F(KeywordOrderDialogTest, ARefusedMoveSaysWhyUntilAnotherRowIsChosen)
{
    const QString why = "先頭の文字が同じキーワードの間でだけ動かせます";
    open(kFruit);
    const QString counts = summary();
    list()->setCurrentIndex(row(3));
    EXPECT_FALSE(dialog.moveSelectedOnto(0)); // banana onto apple
    EXPECT_EQ(summary(), why);
    // Said whole, on the lines it needs, the list still above it.
    const QLabel *line = child<QLabel>(dialog, "summary");
    const bool fitsOneLine = line->fontMetrics().horizontalAdvance(why) <= line->width();
    EXPECT_TRUE(fitsOneLine
                || (line->wordWrap() && line->height() >= line->heightForWidth(line->width())));
    EXPECT_LE(list()->geometry().bottom(), line->y());
    list()->setCurrentIndex(row(2));
    EXPECT_EQ(summary(), counts);

    pressControl(Qt::Key_Down); // avocado onto banana's group
    EXPECT_EQ(summary(), why);
    pressControl(Qt::Key_Up);
    EXPECT_EQ(rows(), QStringList({"apple", "avocado", "apricot", "banana"}));
    EXPECT_EQ(summary(), counts);

    // Nothing to say where there is nowhere to go, or on the row itself.
    list()->setCurrentIndex(row(0));
    pressControl(Qt::Key_Up);
    EXPECT_FALSE(dialog.moveSelectedOnto(0));
    EXPECT_EQ(summary(), counts);
}

TEST_F(KeywordOrderDialogTest, DropsAreTakenFromTheListItselfOverARowWithOneSelected)
{
    open(kFruit);
    dialog.show();
    auto *view = qobject_cast<KeywordOrderView *>(list());
    ASSERT_NE(view, nullptr);
    const QPoint onApple = view->visualRect(row(0)).center();
    const QPoint belowLast = view->visualRect(row(3)).center() + QPoint(0, 40);
    const QPoint rightOfColumn(view->header()->sectionSize(0) + 2, onApple.y());
    ASSERT_LT(rightOfColumn.x(), view->viewport()->width());

    view->setCurrentIndex(row(2));
    EXPECT_TRUE(view->acceptsDrop(view, onApple));
    EXPECT_FALSE(view->acceptsDrop(view, belowLast));
    EXPECT_FALSE(view->acceptsDrop(view, rightOfColumn));
    EXPECT_FALSE(view->acceptsDrop(&dialog, onApple));

    // A drop from elsewhere changes nothing.
    QMimeData data;
    data.setData("application/x-tblaunch-keyword-row", "2");
    QDropEvent drop(onApple, Qt::MoveAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(view->viewport(), &drop);
    EXPECT_FALSE(drop.isAccepted());
    EXPECT_EQ(rows(), kFruit);

    view->selectionModel()->clearSelection();
    EXPECT_FALSE(view->acceptsDrop(view, onApple));
}

TEST_F(KeywordOrderDialogTest, OkWritesTheOrderAndReloadsTheKeywordList)
{
    writeList(kFruit);
    store.load();
    open(kFruit);
    list()->setCurrentIndex(row(2));
    dialog.moveSelectedOnto(0);
    child<QPushButton>(dialog, "ok")->click();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dir.read("data.lst"), "avocado\r\napple\r\napricot\r\nbanana\r\n");
    EXPECT_EQ(store.keywords(), QStringList({"avocado", "apple", "apricot", "banana"}));

    open({});
    child<QPushButton>(dialog, "ok")->click();
    EXPECT_TRUE(dir.exists("data.lst"));
    EXPECT_EQ(dir.read("data.lst"), "");
    EXPECT_TRUE(store.keywords().isEmpty());
}

TEST_F(KeywordOrderDialogTest, AFailedWriteKeepsTheWindowOpenAndCancelWritesNothing)
{
    writeList({"apple", "avocado"});
    store.load();
    open({"apple", "avocado", "apricot"}); // apricot registered since the list was loaded
    dialog.show();
    list()->setCurrentIndex(row(2));
    dialog.moveSelectedOnto(0);
    {
        const FileSizeLimit limit(8);
        child<QPushButton>(dialog, "ok")->click();
    }
    EXPECT_EQ(interaction.errors.size(), 1);
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(store.keywords(), QStringList({"apple", "avocado"})); // not reloaded

    child<QPushButton>(dialog, "cancel")->click();
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    EXPECT_EQ(dir.read("data.lst"), "apple\r\navocado\r\napricot\r\n");
}

TEST_F(KeywordOrderDialogTest, MarksAShadowedKeywordAndNamesTheOneThatTakesIt)
{
    open({"memorandum", "memo", "mail"});
    EXPECT_EQ(tip(0), "「m」で補完されます");
    const QString shadowed = "届きません: 「memo」と打っても「memorandum」が補完されます";
    EXPECT_EQ(tip(1), shadowed);
    EXPECT_EQ(row(1).data(Qt::AccessibleDescriptionRole).toString(), shadowed);
    EXPECT_TRUE(marked(1));
    EXPECT_FALSE(marked(2));
    EXPECT_TRUE(summary().startsWith("届かないキーワード: 1　"));

    list()->setCurrentIndex(row(1));
    pressControl(Qt::Key_Up);
    EXPECT_EQ(tip(0), "「m」で補完されます");
    EXPECT_EQ(tip(1), "「memor」で補完されます");
    EXPECT_EQ(tip(2), "「ma」で補完されます");
    EXPECT_FALSE(marked(1));
    EXPECT_TRUE(summary().startsWith("届かないキーワード: 0　"));
}

TEST_F(KeywordOrderDialogTest, AKeywordHiddenLiterallyMayBeReachedByItsReading)
{
    struct Case
    {
        QStringList rows;
        QString tip; // of the last row
        bool marked;
    };
    const QString hidden = QStringLiteral("届きません: 「%1」と打っても「%2」が補完されます");
    const Case cases[] = {
        // 東 (higashi) behind 東京 (tokyo); し behind しゃ, typed as its Hepburn reading.
        {{"東京", "東"}, "「h」(読み) で届きます", false},
        {{"しゃ", "し"}, "「shi」(読み) で届きます", false},
        // Hidden both ways: the keyword that takes its reading is named where it differs.
        {{"めもちょう", "memoc", "memo"},
         hidden.arg("memo", "memoc") + "\n読みで打っても「めもちょう」が届きます",
         true},
        {{"memorandum", "memo"}, hidden.arg("memo", "memorandum"), true},
    };
    for (const Case &c : cases) {
        openRead(c.rows);
        const int last = int(c.rows.size()) - 1;
        EXPECT_EQ(tip(last), c.tip) << c.rows.join(',').toStdString();
        EXPECT_EQ(marked(last), c.marked) << c.rows.join(',').toStdString();
        EXPECT_EQ(summary().startsWith("届かないキーワード: 0　"), !c.marked);
    }

    // Hidden by a move, after the rows were filled with none hidden.
    openRead({"東", "東京"});
    list()->setCurrentIndex(row(1));
    pressControl(Qt::Key_Up);
    EXPECT_EQ(tip(1), "「h」(読み) で届きます");

    // Switched off in the settings file, readings reach nothing.
    dir.write("tblaunch.ini", "[Setting]\r\nReadings=0\r\n");
    settings.load();
    KeywordOrderDialog off{context, store, readings, settings};
    writeList({"しゃ", "し"});
    store.load();
    ASSERT_TRUE(readingsReady());
    off.openAt({38, 52});
    const auto *rows = child<QTreeView>(off, "keywords")->model();
    EXPECT_EQ(rows->index(1, 0).data(Qt::ToolTipRole).toString(), hidden.arg("し", "しゃ"));
}

// The window takes the readings made for the main window and never reads the dictionary
// itself (the interface would wait for the readings' thread): opened before they are made
// again, its rows take them once they are.
TEST_F(KeywordOrderDialogTest, TakesTheReadingsOnceTheyAreMade)
{
    openRead({"しゃ"});
    writeList({"東京", "東"});
    store.reload();
    ASSERT_FALSE(readings.ready());
    dialog.show();
    dialog.openAt({38, 52});
    // (The targets, which are gone, may be marked meanwhile.)
    EXPECT_FALSE(tip(1).startsWith("「h」(読み) で届きます")) << tip(1).toStdString();
    ASSERT_TRUE(readingsReady());
    EXPECT_TRUE(tip(1).startsWith("「h」(読み) で届きます")) << tip(1).toStdString();
}

TEST_F(KeywordOrderDialogTest, MarksKeywordsWhoseTargetIsGoneOnceTheyAreChecked)
{
    dir.write("ある.txt", "");
    writeEntry("here", dir.file("ある.txt"));
    writeEntry("hole", dir.file("gone.txt"));
    writeEntry("日本", dir.file("ない.txt"));
    writeEntry("web", "https://example.invalid/");
    writeEntry("Cased", dir.file("gone.txt")); // listed as "cased"
    open({"here", "hole", "日本", "web", "cased", "unregistered"});
    EXPECT_TRUE(summary().endsWith("リンク切れ: 確認中"));

    ASSERT_TRUE(waitForTargets());
    const QList<bool> expected{false, true, true, false, true, true};
    for (int r = 0; r < 6; ++r) {
        EXPECT_EQ(marked(r), expected[r]) << r;
        EXPECT_EQ(tip(r).endsWith("\nリンク先が見つかりません"), expected[r]) << r;
    }
    EXPECT_EQ(summary(), "届かないキーワード: 0　リンク切れ: 4");

    // A row completion never offers and a row whose target is gone look different; a gone
    // target is the graver.
    const auto image = [this](int r) {
        return row(r).data(Qt::DecorationRole).value<QIcon>().pixmap(16).toImage();
    };
    writeEntry("memo", dir.file("ある.txt"));
    open({"memorandum", "memo", "here", "hole"});
    ASSERT_TRUE(waitForTargets());
    EXPECT_TRUE(marked(1));
    EXPECT_TRUE(marked(3));
    EXPECT_NE(image(1), image(3));
    open({"hole", "h"}); // "h" is shadowed and its target gone at once
    ASSERT_TRUE(waitForTargets());
    EXPECT_EQ(image(1), image(0));

    // What is found follows its row when rows move.
    open({"here", "hole", "日本", "web", "cased", "unregistered"});
    ASSERT_TRUE(waitForTargets());
    list()->setCurrentIndex(row(1));
    dialog.moveSelectedOnto(0);
    EXPECT_TRUE(marked(0));
    EXPECT_FALSE(marked(1));
}

} // namespace

// Closed, the window holds neither its rows nor a native window; opened again, before and
// after a registration, it shows what a window opened for the first time shows.
TEST_F(KeywordOrderDialogTest, HoldsNothingWhileClosedAndShowsTheSameWhenOpenedAgain)
{
    const auto seen = [this](KeywordOrderDialog &window) {
        const QAbstractItemModel *model = child<QTreeView>(window, "keywords")->model();
        QStringList rows;
        for (int r = 0; r < model->rowCount(); ++r) {
            const QModelIndex row = model->index(r, 0);
            rows.append(row.data().toString() + '|' + row.data(Qt::ToolTipRole).toString() + '|'
                        + (row.data(Qt::DecorationRole).isNull() ? "" : "marked"));
        }
        return rows;
    };
    // A window opened for the first time on data.lst as it is now.
    const auto firstOpening = [&] {
        KeywordOrderDialog fresh{context, store, readings, settings};
        fresh.openAt({38, 52});
        EXPECT_TRUE(waitForTargetsOf(fresh));
        return seen(fresh);
    };
    int closes = 0;
    // Shown, as the real modal loop shows it, and closed.
    const auto closeWindow = [&] {
        dialog.show();
        dialog.reject();
        QCoreApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_EQ(dialog.findChild<QTreeView *>(), nullptr);
        EXPECT_EQ(dialog.windowHandle(), nullptr) << "at close " << ++closes;
    };
    writeEntry("here", dir.file("data.lst"));
    writeEntry("hole", dir.file("gone.txt"));
    const QStringList keywords{"memorandum", "memo", "here", "hole", "東京", "東"};
    openRead(keywords);
    ASSERT_TRUE(waitForTargets());
    const QStringList first = seen(dialog);
    EXPECT_EQ(firstOpening(), first);
    closeWindow();

    dialog.openAt({38, 52});
    ASSERT_TRUE(waitForTargets());
    EXPECT_EQ(seen(dialog), first);
    closeWindow();

    writeEntry("mail", dir.file("gone.txt"));
    openRead(keywords + QStringList{"mail"});
    ASSERT_TRUE(waitForTargets());
    EXPECT_EQ(seen(dialog), firstOpening());
}
