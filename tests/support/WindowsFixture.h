#pragma once

#include "app/CompositionRoot.h"
#include "mainwindow/MainMenu.h"
#include "platform/fake/FakeApplications.h"
#include "platform/fake/FakeHotkeys.h"
#include "platform/fake/FakeIcons.h"
#include "platform/fake/FakeKeyNames.h"
#include "platform/fake/FakePower.h"
#include "platform/fake/FakeShell.h"
#include "platform/fake/FakeWindowFrame.h"
#include "ui/AppContext.h"

#include "FakeInteraction.h"
#include "QtPrinters.h"
#include "TempFolder.h"

#include <QFileDialog>

#include <gtest/gtest.h>

#include <memory>

class IdleClock;
class KeywordLineEdit;
class Launcher;
class MainWindow;
class QComboBox;
class QLabel;

// Every window of the program made as main() makes them, over a temporary executable
// folder, with fake services and choosers answered in place of the user.
class WindowsFixture : public ::testing::Test
{
protected:
    void start();
    void TearDown() override;

    // A window's control, found by its object name; the test fails when there is none.
    template <typename Control> Control *child(const QObject &window, const char *name) const
    {
        auto *control = window.findChild<Control *>(QString::fromLatin1(name));
        EXPECT_NE(control, nullptr) << name;
        return control;
    }

    // The main window's parts.
    KeywordLineEdit *input() const;
    QComboBox *keywordBox() const;
    QLabel *icon() const;
    QLabel *description() const;
    IdleClock *clock() const;
    MainMenu *menu() const;
    // The window's controller, which runs the commands.
    Launcher *launcher() const;
    QAction *action(MainMenu::Command command) const;

    // Puts the text into the input line and presses Enter through the key handlers.
    void enter(const QString &text);
    // Real key events sent to the input line.
    void type(const QString &text);
    void press(Qt::Key key);
    bool displayCleared() const;

    // What a chooser was opened with.
    struct ChooserSeen
    {
        QFileDialog::FileMode fileMode = QFileDialog::AnyFile;
        bool dirsOnly = false;
        QString title;
        QString directory;
        QStringList selected;
    };
    // The next choosers are answered with the path, or cancelled when it is empty.
    void answerChooser(const QString &path);

    QString file(const QString &name) const { return QString::fromLatin1(dir.read(name)); }

    TempFolder dir;
    FakeShell shell;
    FakePower power;
    FakeIcons icons;
    FakeKeyNames keyNames;
    FakeWindowFrame windowFrame;
    FakeHotkeys hotkeys;
    FakeApplications applications;
    FakeInteraction interaction;
    AppContext context{dir.path(),  dir.file("tblaunch.ini"),
                       shell,       power,
                       icons,       keyNames,
                       windowFrame, hotkeys,
                       interaction, dir.file("tblaunch.chm"),
                       applications};
    std::unique_ptr<CompositionRoot> root;
    MainWindow *window = nullptr;
    QList<ChooserSeen> choosers;
};
