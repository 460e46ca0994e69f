#include "WindowsFixture.h"

#include "keywords/KeywordStore.h"
#include "mainwindow/ClockText.h"
#include "mainwindow/IdleClock.h"
#include "mainwindow/KeywordLineEdit.h"
#include "mainwindow/MainWindow.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QDeadlineTimer>
#include <QDir>
#include <QLabel>
#include <QMenu>
#include <QSystemTrayIcon>
#include <QTimer>

namespace {

using Button = Interaction::Button;
using Command = MainMenu::Command;

class MainWindowLifecycle : public WindowsFixture
{
protected:
    void SetUp() override
    {
        start();
        window->trayAvailable = [] {
            return true;
        };
        window->shiftHeld = [this] {
            return shift;
        };
        window->show();
    }

    void tick(int times)
    {
        for (int i = 0; i < times; ++i)
            clock()->tick();
    }

    bool shift = false;
};

TEST_F(MainWindowLifecycle, StartsWithItsFoldersAndTheClockRunning)
{
    EXPECT_TRUE(dir.exists("skin"));
    EXPECT_TRUE(dir.exists("data"));
    EXPECT_TRUE(dir.exists("data.lst"));
    EXPECT_TRUE(action(Command::DefaultSkin)->isChecked());
    EXPECT_EQ(window->selectedSkinName(), "") << "no skin chosen yet in this run";
    EXPECT_EQ(window->size(), QSize(190, 38));
    EXPECT_EQ(keywordBox()->geometry(), QRect(0, 0, 153, 20));
    EXPECT_EQ(icon()->geometry(), QRect(157, 0, 32, 32));
    EXPECT_TRUE(clock()->isOn());
    EXPECT_EQ(child<QSystemTrayIcon>(*window, "trayIcon")->toolTip(), "tobio launcher");
}

TEST_F(MainWindowLifecycle, ClockAppearsOnTheFifthIdleTickAndIsRenewed)
{
    tick(4);
    EXPECT_TRUE(input()->text().isEmpty());
    tick(1);
    const QString shown = input()->text();
    EXPECT_FALSE(shown.isEmpty());
    EXPECT_EQ(shown.left(4), clockText(QDateTime::currentDateTime(), QLocale::system()).left(4));
    input()->clear();
    tick(1); // the counter stays at its top: every later tick renews the text
    EXPECT_FALSE(input()->text().isEmpty());
    EXPECT_TRUE(clock()->isOn());
}

// A clock longer than the line shows its date, not the end of its time: the caret stands at
// its start, also when activation selects it.
TEST_F(MainWindowLifecycle, TheClockShowsFromItsStart)
{
    tick(5);
    ASSERT_TRUE(clock()->showsTime());
    EXPECT_EQ(input()->cursorPosition(), 0);
    window->onApplicationActivated();
    EXPECT_EQ(input()->selectedText(), input()->text());
    EXPECT_EQ(input()->cursorPosition(), 0);
}

// The clock takes the width its format needs, over the icon's place if need be, and gives
// it back to typing.
TEST_F(MainWindowLifecycle, TheClockIsShownWhole)
{
    const QString time = QStringLiteral("2026/12/09 22時52分03秒");
    input()->showStandIn(time);
    const QPoint end(input()->width() - 3, input()->height() / 2);
    EXPECT_EQ(input()->cursorPositionAt(end), time.size()) << keywordBox()->width();
    EXPECT_LE(keywordBox()->geometry().right(), window->width() - 1);
    input()->setText(QStringLiteral("m"));
    EXPECT_EQ(keywordBox()->geometry(), QRect(0, 0, 153, 20));
}

// Esc empties the line; on a line already empty it puts the window away, unless no
// notification icon could bring it back.
TEST_F(MainWindowLifecycle, EscOnAnEmptyLineHidesTheWindow)
{
    type("memo");
    press(Qt::Key_Escape);
    EXPECT_TRUE(displayCleared());
    EXPECT_TRUE(window->isVisible());

    window->trayAvailable = [] {
        return false;
    };
    press(Qt::Key_Escape);
    EXPECT_TRUE(window->isVisible());
    window->trayAvailable = [] {
        return true;
    };
    window->toggleLock();
    press(Qt::Key_Escape);
    EXPECT_TRUE(window->isVisible());
    window->toggleLock();

    press(Qt::Key_Escape);
    EXPECT_FALSE(window->isVisible());
}

TEST_F(MainWindowLifecycle, TypingOrASelectionStopsTheClock)
{
    clock()->holdForTyping();
    clock()->switchOn();
    tick(1);
    EXPECT_FALSE(clock()->isOn());

    clock()->resume();
    input()->setText("memo");
    input()->setSelection(1, 2);
    tick(5);
    EXPECT_FALSE(clock()->isOn());
    EXPECT_EQ(input()->text(), "memo");
}

TEST_F(MainWindowLifecycle, DeactivationHidesUnlessLockedShiftedOrWithoutATray)
{
    input()->setText("memo");
    window->toggleLock();
    window->onApplicationDeactivated();
    EXPECT_TRUE(window->isVisible());
    window->toggleLock();

    shift = true;
    window->onApplicationDeactivated();
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(input()->text(), "memo");
    shift = false;

    window->trayAvailable = [] {
        return false;
    };
    window->onApplicationDeactivated();
    EXPECT_TRUE(window->isVisible());
    window->trayAvailable = [] {
        return true;
    };

    clock()->holdForTyping();
    window->onApplicationDeactivated();
    EXPECT_FALSE(window->isVisible());
    EXPECT_TRUE(input()->text().isEmpty());
    EXPECT_TRUE(clock()->isOn());
    EXPECT_FALSE(clock()->userTyping());
}

TEST_F(MainWindowLifecycle, TrayBringsTheWindowBackAndActivationSelectsTheClock)
{
    window->hide();
    icon()->setPixmap(QPixmap(32, 32));
    input()->setText("12:00");
    window->restoreFromTray();
    EXPECT_TRUE(window->isVisible());
    EXPECT_TRUE(icon()->pixmap().isNull());
    window->onApplicationActivated();
    EXPECT_EQ(input()->selectedText(), "12:00");
    clock()->holdForTyping(); // the clock stopped
    input()->deselect();
    window->onApplicationActivated();
    EXPECT_FALSE(input()->hasSelectedText());
}

TEST_F(MainWindowLifecycle, TrayMenuIsShortenedAndTheWindowsWhole)
{
    // The window active, as when a notification area keeps the focus where it was.
    QApplication::setActiveWindow(window);
    const QList<QAction *> entryCommands = {
        child<QAction>(*window, "lockSeparator"), action(Command::Lock),
        action(Command::OpenTargetFolder), child<QAction>(*window, "afterDeleteSeparator"),
        action(Command::DeleteEntry)};
    QMenu *menu = child<QMenu>(*window, "menu");
    window->openTrayMenu();
    for (QAction *item : entryCommands)
        EXPECT_FALSE(item->isVisible()) << item->objectName().toStdString();
    EXPECT_TRUE(action(Command::Register)->isVisible());
    menu->close();
    QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(2, 2),
                            window->mapToGlobal(QPoint(2, 2)));
    QApplication::sendEvent(window, &event);
    for (QAction *item : entryCommands)
        EXPECT_TRUE(item->isVisible()) << item->objectName().toStdString();
    menu->close();
}

TEST_F(MainWindowLifecycle, TheIconAndTheDescriptionPassTheRightButtonToTheMenu)
{
    QMenu *menu = child<QMenu>(*window, "menu");
    for (QWidget *part : {static_cast<QWidget *>(icon()), static_cast<QWidget *>(description())}) {
        QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(2, 2),
                                part->mapToGlobal(QPoint(2, 2)));
        QApplication::sendEvent(part, &event);
        EXPECT_TRUE(menu->isVisible()) << part->objectName().toStdString();
        menu->close();
    }
}

// Without a window manager to move it, the window follows the mouse, from the press on,
// once the pointer has gone a few pixels; a click leaves it where it is.
TEST_F(MainWindowLifecycle, TheBareSurfaceDragsTheWindowOnceThePointerHasMoved)
{
    window->move(300, 200);
    const QPoint press = window->frameGeometry().topLeft() + QPoint(155, 30);
    const auto send = [this](QEvent::Type type, QPoint global, Qt::MouseButtons buttons) {
        QMouseEvent event(type, window->mapFromGlobal(global), global,
                          type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton, buttons,
                          Qt::NoModifier);
        QApplication::sendEvent(window, &event);
    };
    send(QEvent::MouseButtonPress, press, Qt::LeftButton);
    send(QEvent::MouseMove, press + QPoint(1, 1), Qt::LeftButton);
    EXPECT_EQ(window->pos(), QPoint(300, 200)) << "a click's jitter moved the window";
    send(QEvent::MouseMove, press + QPoint(40, 25), Qt::LeftButton);
    send(QEvent::MouseButtonRelease, press + QPoint(40, 25), Qt::NoButton);
    EXPECT_EQ(window->pos(), QPoint(340, 225));
}

TEST_F(MainWindowLifecycle, ExitWritesTheHotkeyAndTheSkinChoice)
{
    window->quit();
    EXPECT_EQ(dir.read("tblaunch.ini"),
              QByteArray("[hotkey]\r\nkey=\r\n[Window]\r\nDefaultSkin=1\r\nSelectedSkinName=\r\n"));
    EXPECT_FALSE(window->isVisible());
}

// A folder that takes no writes: the error, then ending without saving offered; only "No"
// keeps the window.
TEST_F(MainWindowLifecycle, AFailedSettingsWriteOffersToEndWithoutSaving)
{
    QDir(dir.path()).mkpath("tblaunch.ini"); // a folder where the file should be
    for (const Button answer : {Button::No, Button::Yes}) {
        interaction.errors.clear();
        interaction.warnings.clear();
        interaction.answers = {answer};
        window->show();
        action(Command::Quit)->trigger();
        ASSERT_EQ(interaction.errors.size(), 1);
        EXPECT_EQ(interaction.errors[0],
                  QStringLiteral("%1 に書き込めません.").arg(dir.file("tblaunch.ini")));
        EXPECT_EQ(interaction.warnings,
                  QStringList{QStringLiteral("設定を保存せずに終了しますか？")});
        EXPECT_EQ(window->isVisible(), answer == Button::No);
    }
}

// The exit asked for again while its error box is open (a held key, the menu, the
// shortcut) adds no second error and no second question.
TEST_F(MainWindowLifecycle, AnExitRequestedDuringTheFailedSavesBoxIsAnsweredOnce)
{
    QDir(dir.path()).mkpath("tblaunch.ini");
    window->show();
    int reentries = 0;
    interaction.onError = [&] {
        if (reentries++ < 3)
            action(Command::Quit)->trigger();
    };
    interaction.answers = {Button::No};
    action(Command::Quit)->trigger();
    EXPECT_EQ(interaction.errors.size(), 1);
    EXPECT_EQ(interaction.warnings, QStringList{QStringLiteral("設定を保存せずに終了しますか？")});
    EXPECT_TRUE(window->isVisible());

    // Kept by "No", the window still ends on the next request.
    interaction.onError = nullptr;
    interaction.answers = {Button::Yes};
    action(Command::Quit)->trigger();
    EXPECT_FALSE(window->isVisible());
}

class MainWindowStartUp : public WindowsFixture
{
};

TEST_F(MainWindowStartUp, WithoutTheDefaultAndWithoutTheSkinTheDesignedLayoutStays)
{
    dir.write("tblaunch.ini", "[Window]\r\nDefaultSkin=0\r\nSelectedSkinName=blue\r\n");
    start();
    EXPECT_FALSE(action(Command::DefaultSkin)->isChecked());
    EXPECT_EQ(window->selectedSkinName(), "");
    EXPECT_EQ(keywordBox()->geometry(), QRect(-8, 0, 153, 20));
}

TEST_F(MainWindowStartUp, AnErrorSkipsTheRestButTheWindowStillComes)
{
    dir.write("skin", "a file where the skin folder belongs");
    start();
    EXPECT_EQ(interaction.errors, QStringList(QStringLiteral("I/O エラー (17)")));
    EXPECT_FALSE(dir.exists("data"));
    window->show();
    EXPECT_TRUE(window->isVisible());

    // Its tray icon never came: turning to another program must not lose the window.
    window->trayAvailable = [] {
        return true;
    };
    window->onApplicationDeactivated();
    EXPECT_TRUE(window->isVisible());
}

} // namespace

// A request from another start brings the window forward with the desktop's token; on a
// desktop where windows cannot place themselves (Wayland), the notification area is handed
// the shortened menu to show itself, and the window is made translucent for skins.
TEST_F(MainWindowLifecycle, ARequestFromOutsideBringsTheWindowForwardWithItsToken)
{
    window->hide();
    window->comeForward("token-1");
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(windowFrame.broughtForward, QList<QByteArray>{"token-1"});
    EXPECT_EQ(child<QSystemTrayIcon>(*window, "trayIcon")->contextMenu(), nullptr);
    EXPECT_FALSE(window->testAttribute(Qt::WA_TranslucentBackground));
}

class MainWindowWithoutPlacing : public WindowsFixture
{
protected:
    void SetUp() override
    {
        windowFrame.allowed = {
            .placesItself = false, .staysOnTop = false, .maskCutsDrawing = false};
        start();
    }
};

TEST_F(MainWindowWithoutPlacing, TheNotificationAreaShowsTheShortenedMenuItself)
{
    const QMenu *menu = child<QSystemTrayIcon>(*window, "trayIcon")->contextMenu();
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(menu->objectName(), "shortenedMenu");
    const QList<QAction *> items = menu->actions();
    for (QAction *entryCommand :
         {action(Command::Lock), action(Command::OpenTargetFolder), action(Command::DeleteEntry)})
        EXPECT_FALSE(items.contains(entryCommand)) << entryCommand->objectName().toStdString();
    for (QAction *kept : {action(Command::Register), action(Command::Quit)})
        EXPECT_TRUE(items.contains(kept)) << kept->objectName().toStdString();
    EXPECT_TRUE(window->testAttribute(Qt::WA_TranslucentBackground));
}

// Put away, the window waits for its last frame to be on the screen before it goes; brought
// forward in the meantime, it stays.
TEST_F(MainWindowLifecycle, APutAwayOvertakenByAShowLeavesTheWindowShown)
{
    windowFrame.holdFrames = true;
    window->putAway();
    EXPECT_TRUE(window->isVisible());
    window->comeForward({});
    for (const auto &frameDone : std::exchange(windowFrame.heldFrames, {}))
        frameDone();
    EXPECT_TRUE(window->isVisible());

    window->putAway();
    for (const auto &frameDone : std::exchange(windowFrame.heldFrames, {}))
        frameDone();
    EXPECT_FALSE(window->isVisible());
}

// Hidden, shown again at once: a loss of the focus reported just after may be the one from
// before it was hidden; the window stays if the program has the focus a moment later, and goes
// if not. Once focused, a loss hides it at once.
TEST_F(MainWindowLifecycle, AFocusLossReportedJustAfterTheWindowCameBackCountsAMomentLater)
{
    for (const bool activeLater : {true, false}) {
        SCOPED_TRACE(activeLater);
        window->programActive = [&] {
            return activeLater;
        };
        window->putAway();
        window->comeForward({});
        window->onApplicationDeactivated();
        EXPECT_TRUE(window->isVisible());
        const QDeadlineTimer deadline(1000);
        while (window->isVisible() && !deadline.hasExpired())
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        EXPECT_EQ(window->isVisible(), activeLater);
    }
    window->comeForward({});
    window->onApplicationActivated();
    window->onApplicationDeactivated();
    EXPECT_FALSE(window->isVisible());
}
