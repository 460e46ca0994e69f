#include "WindowsFixture.h"

#include "mainwindow/IdleClock.h"
#include "mainwindow/KeywordLineEdit.h"
#include "keywords/KeywordStore.h"
#include "mainwindow/MainWindow.h"

#include <QAction>
#include <QCoreApplication>
#include <QDropEvent>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QUrl>

#include <functional>

namespace {

using Button = Interaction::Button;
using Command = MainMenu::Command;

const QString kRecycleBin = QStringLiteral("::{645FF040-5081-101B-9F08-00AA002F954E}");

class MainMenuCommands : public WindowsFixture
{
protected:
    void SetUp() override
    {
        dir.write("data.lst", "memo\r\nfoo\r\ndustbox\r\ntools\r\nbox\r\n");
        dir.write("data/memo", "/usr/bin/memo\r\nnotes\r\n--new \"a b\"\r\n");
        dir.write("data/foo", "/bin/foo\r\n");
        dir.write("data/dustbox", ("explorer.exe\r\nごみ箱\r\n" + kRecycleBin + "\r\n").toUtf8());
        dir.write("data/tools", "C:\\tools\\app.exe\r\n\r\n-v\r\n");
        dir.write("data/box", (dir.file("box") + "\r\n").toUtf8());
        dir.write("box/kept.txt", "old");
        dir.write("tblaunch.ini", "[Setting]\r\nDustBoxName=dustbox\r\n");
        start();
    }

    // What the registration dialog held when it was shown.
    struct Shown
    {
        QString name, target, parameters;
        bool fieldsEnabled = false;
    };
    const QList<Shown> &registrationsShown()
    {
        interaction.onModal = [&shown = m_shown](QDialog &dialog) {
            if (dialog.objectName() == "registrationDialog") {
                const auto *name = dialog.findChild<QLineEdit *>("name");
                shown.append({name->text(),
                              dialog.findChild<QPlainTextEdit *>("target")->toPlainText(),
                              dialog.findChild<QPlainTextEdit *>("parameters")->toPlainText(),
                              name->isEnabled()});
            }
            return int(QDialog::Rejected);
        };
        return m_shown;
    }

    void drop(const QStringList &paths)
    {
        QList<QUrl> urls;
        for (const QString &path : paths)
            urls.append(QUrl::fromLocalFile(path));
        QMimeData data;
        data.setUrls(urls);
        // The drop goes where the drag entered and was accepted.
        QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(window, &enter);
        QDropEvent event(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(window, &event);
    }

private:
    QList<Shown> m_shown;
};

struct DeleteCase
{
    const char *typed;
    Button answer;
    QString warning;          // the first box
    const char *removed;      // the entry file gone, or nullptr
};

TEST_F(MainMenuCommands, DeletionAsksAboutTheListedSpellingAndRefusesSpecialItems)
{
    const QString question = QStringLiteral("「foo」を削除します。よろしいですか？");
    const DeleteCase cases[] = {
        {"", Button::Ok, QStringLiteral("何も選択されていません"), nullptr},
        {"DUSTBOX", Button::Ok,
         QStringLiteral("特殊項目の削除は「特殊項目の設定」でチェックをはずして行って下さい"), nullptr},
        {"shutdown", Button::Ok,
         QStringLiteral("特殊項目の削除は「特殊項目の設定」でチェックをはずして行って下さい"), nullptr},
        {"nothing", Button::Ok, QString(), nullptr},
        {"FOO", Button::Cancel, question, nullptr},
        {"FOO", Button::Ok, question, "data/foo"},
    };
    for (const DeleteCase &c : cases) {
        SCOPED_TRACE(c.typed);
        interaction.warnings.clear();
        interaction.answers = {c.answer};
        window->toggleLock();
        input()->setText(c.typed);
        action(Command::DeleteEntry)->trigger();
        EXPECT_EQ(interaction.warnings.value(0), c.warning);
        EXPECT_EQ(!dir.exists("data/foo"), c.removed != nullptr);
        EXPECT_EQ(window->locked(), c.removed == nullptr);
        if (window->locked())
            window->toggleLock();
    }
    EXPECT_EQ(file("data.lst"), "memo\r\ndustbox\r\ntools\r\nbox\r\n");
    EXPECT_FALSE(root->mainWindow().findChild<KeywordLineEdit *>("input")->text().contains("FOO"));
}

TEST_F(MainMenuCommands, RegistrationOfASpecialItemChangesOnlyItsDescription)
{
    const QList<Shown> &shown = registrationsShown();
    input()->setText("dustbox");
    action(Command::Register)->trigger();
    EXPECT_EQ(icons.calls.last(), (FakeIcons::Call{"shell32.dll", 31, 1}));
    input()->setText("memo");
    action(Command::Register)->trigger();
    for (const char *typed : {"/NEW", ""}) {
        input()->setText(typed);
        action(Command::Register)->trigger();
    }
    ASSERT_EQ(shown.size(), 4);
    EXPECT_EQ(shown[0].target, "explorer.exe");
    EXPECT_EQ(shown[0].parameters, kRecycleBin);
    EXPECT_FALSE(shown[0].fieldsEnabled);
    EXPECT_EQ(interaction.notices,
              QStringList(QStringLiteral(
                  "特殊項目の登録内容は『簡単な説明』以外、ここでは変更できません")));
    EXPECT_EQ(shown[1].name, "memo");
    EXPECT_TRUE(shown[1].fieldsEnabled);
    EXPECT_TRUE(shown[2].fieldsEnabled);
    EXPECT_TRUE(shown[3].fieldsEnabled);
}

TEST_F(MainMenuCommands, TheTargetsFolderOpensWithTheEntrysParameters)
{
    window->toggleLock();
    input()->setText("memo");
    action(Command::OpenTargetFolder)->trigger();
    input()->setText("tools");
    action(Command::OpenTargetFolder)->trigger();
    EXPECT_EQ(shell.calls, (QList<FakeShell::Call>{{"/usr/bin/", "--new \"a b\""},
                                                   {"C:\\tools\\", "-v"}}));
    EXPECT_TRUE(displayCleared());
    EXPECT_FALSE(window->locked());
}

TEST_F(MainMenuCommands, DeletingOneOfTwoSpellingsRemovesItsOwnFile)
{
    dir.write("data.lst", "foo\r\nFoo\r\n");
    dir.write("data/Foo", "/bin/Foo\r\n");
    root->store().reload();
    input()->setText("foo");
    action(Command::DeleteEntry)->trigger();
    EXPECT_EQ(interaction.warnings,
              QStringList(QStringLiteral("「foo」を削除します。よろしいですか？")));
    EXPECT_FALSE(dir.exists("data/foo"));
    EXPECT_TRUE(dir.exists("data/Foo"));
    EXPECT_EQ(file("data.lst"), "Foo\r\n");
}

TEST_F(MainMenuCommands, ABareProgramNameOpensTheFolderWherePathFindsIt)
{
    dir.write("bin/gedit", "");
    QFile(dir.file("bin/gedit")).setPermissions(QFile::ReadOwner | QFile::ExeOwner);
    const QByteArray path = qgetenv("PATH");
    qputenv("PATH", dir.file("bin").toLocal8Bit());
    dir.write("data/gedit", "gedit\r\n\r\n--new-window\r\n");
    dir.write("data/nosuch", "nosuch-program\r\n");
    for (const char *typed : {"gedit", "nosuch"}) {
        window->toggleLock();
        input()->setText(typed);
        action(Command::OpenTargetFolder)->trigger();
        EXPECT_TRUE(displayCleared()) << typed;
        EXPECT_FALSE(window->locked()) << typed;
    }
    qputenv("PATH", path);
    EXPECT_EQ(shell.calls, (QList<FakeShell::Call>{{dir.file("bin/"), "--new-window"}}));
    EXPECT_EQ(interaction.errors,
              QStringList(QStringLiteral("「nosuch-program」には開くフォルダがありません.")));
}

TEST_F(MainMenuCommands, OnTheClockOrAnEmptyLineNothingIsSelected)
{
    const QList<Shown> &shown = registrationsShown();
    const auto showClock = [this] {
        clock()->showTimeNow();
        ASSERT_TRUE(clock()->showsTime());
    };
    const std::pair<const char *, std::function<void()>> lines[] = {
        {"empty",
         [this] {
             input()->clear();
         }},
        {"clock", showClock},
    };
    for (const auto &[name, showLine] : lines) {
        SCOPED_TRACE(name);
        interaction.warnings.clear();
        showLine();
        action(Command::OpenTargetFolder)->trigger();
        showLine();
        action(Command::DeleteEntry)->trigger();
        EXPECT_EQ(interaction.warnings, QStringList(2, QStringLiteral("何も選択されていません")));

        // A drop while locked on nothing is offered for registration.
        window->toggleLock();
        showLine();
        drop({"/work/Report.final.doc"});
        ASSERT_FALSE(shown.isEmpty());
        EXPECT_EQ(shown.last().name, "Report.final");
        EXPECT_EQ(shown.last().target, "/work/Report.final.doc");
        window->toggleLock();

        // The registration command opens a new registration.
        const qsizetype before = shown.size();
        showLine();
        action(Command::Register)->trigger();
        EXPECT_EQ(shown.size(), before + 1);
    }
    EXPECT_TRUE(shell.calls.isEmpty());
    EXPECT_TRUE(interaction.errors.isEmpty());
}

// The menu is built from the command table: its items stand in their places, with their
// separators, the skin submenu and their captions.
TEST_F(MainMenuCommands, TheMenuShowsTheCommandsInTheirPlaces)
{
    QStringList items;
    for (const QAction *item : child<QMenu>(*window, "menu")->actions())
        items.append(item->objectName() + u' ' + item->text());
    EXPECT_EQ(items, (QStringList{"lock ロック",
                                  "lockSeparator ",
                                  "register 登録画面をひらく",
                                  "specialItems 特殊項目を登録する",
                                  "openTargetFolder 選択したファイル（フォルダ）のリンク先をひらく",
                                  "deleteSeparator ",
                                  "deleteEntry 選択したのを消す",
                                  "afterDeleteSeparator ",
                                  "settings 環境設定",
                                  "keywordOrder 登録キーワードの保守",
                                  "skinMenu スキンの設定",
                                  "editSkinIni skin.iniの編集",
                                  "skinEditor skin.iniエディタの実行",
                                  "helpSeparator ",
                                  "help ヘルプ",
                                  "about バージョン情報",
                                  "quitSeparator ",
                                  "quit ランチャーの終了"}));
    EXPECT_EQ(action(Command::DefaultSkin)->text(), "default");
    EXPECT_EQ(action(Command::Quit)->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_Q));
}

TEST_F(MainMenuCommands, OtherWindowsOpenAtTheirOffsetsFromTheMainWindow)
{
    window->move(100, 200);
    QList<QPoint> corners;
    const auto seen = [&corners](Command command, QPoint corner) {
        if (command == Command::Settings || command == Command::KeywordOrder)
            corners.append(corner);
    };
    QObject::connect(window, &MainWindow::windowRequested, window, seen);
    action(Command::Settings)->trigger();
    action(Command::KeywordOrder)->trigger();
    EXPECT_EQ(corners, (QList<QPoint>{{152, 252}, {138, 252}}));
    // Typed, the command opens its window where the menu's does.
    enter("/sort");
    EXPECT_EQ(corners.value(2), QPoint(138, 252));
}

TEST_F(MainMenuCommands, AnUnlockedDropProposesTheFirstPathWhole)
{
    const QList<Shown> &shown = registrationsShown();
    const QString longName = QString(300, u'x') + QStringLiteral(".txt");
    drop({"/work/Report.final.doc", "/work/second.txt", "/work/third.txt"});
    drop({"/srv/music"});
    drop({"/srv/" + longName});
    drop({"/srv/music/"});
    ASSERT_EQ(shown.size(), 4);
    EXPECT_EQ(shown[3].name, "music") << "a folder dropped with its closing slash";
    EXPECT_EQ(shown[0].name, "Report.final");
    EXPECT_EQ(shown[0].target, "/work/Report.final.doc");
    EXPECT_TRUE(shown[0].fieldsEnabled);
    EXPECT_EQ(shown[1].name, "music");
    EXPECT_EQ(shown[2].target, "/srv/" + longName) << "a long path is taken whole";
    EXPECT_TRUE(shell.calls.isEmpty());
}

TEST_F(MainMenuCommands, ALockedDropGoesToTheShownEntryAndUnlocks)
{
    // A program's entry: the first dropped path is its one parameter, blanks and all.
    dir.write("bin/editor", "");
    dir.write("data/editor", (dir.file("bin/editor") + "\r\n").toUtf8());
    window->toggleLock();
    input()->setText("editor");
    drop({"/home/u/My Documents/a b.txt", "/home/u/other.txt"});
    EXPECT_EQ(shell.calls,
              (QList<FakeShell::Call>{{dir.file("bin/editor"), "/home/u/My Documents/a b.txt", true}}));
    EXPECT_FALSE(window->locked());
    EXPECT_FALSE(input()->text().isEmpty()) << "the date and time follow a locked drop";

    // A folder's entry: every dropped file copied in, none overwritten, folders left out.
    dir.write("in/new.txt", "new");
    dir.write("in/kept.txt", "dropped");
    dir.write("in/sub/x", "");
    window->toggleLock();
    input()->setText("box");
    drop({dir.file("in/new.txt"), dir.file("in/kept.txt"), dir.file("in/sub")});
    EXPECT_EQ(dir.read("box/new.txt"), "new");
    EXPECT_EQ(dir.read("box/kept.txt"), "old");
    EXPECT_FALSE(dir.exists("box/sub"));
    EXPECT_TRUE(interaction.errors.isEmpty());
    EXPECT_FALSE(window->locked());

    // An entry that cannot be read stops the drop with its error, still locked.
    window->toggleLock();
    input()->setText("gone");
    drop({dir.file("in/new.txt")});
    EXPECT_EQ(interaction.errors.size(), 1);
    EXPECT_TRUE(window->locked());
}

} // namespace
