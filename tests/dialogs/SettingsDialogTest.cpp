#include "WindowsFixture.h"

#include "dialogs/DialogMessages.h"
#include "dialogs/HotkeyEdit.h"
#include "dialogs/SettingsDialog.h"
#include "mainwindow/KeywordLineEdit.h"
#include "mainwindow/MainWindow.h"

#include <QApplication>
#include <QCheckBox>
#include <QCursor>
#include <QDeadlineTimer>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolTip>
#include <QWindow>

namespace {

using Combination = FakeHotkeys::Combination;

class SettingsDialogTest : public WindowsFixture
{
protected:
    void start()
    {
        WindowsFixture::start();
        dialog = &root->settingsDialog();
    }

    QCheckBox *box(const char *name) const { return child<QCheckBox>(*dialog, name); }
    HotkeyEdit *hotkeyField() const { return child<HotkeyEdit>(*dialog, "hotkey"); }
    void click(const char *button) const { child<QPushButton>(*dialog, button)->click(); }
    QString settingsText() const { return QString::fromLatin1(dir.read("tblaunch.ini")); }

    SettingsDialog *dialog = nullptr;
};

TEST_F(SettingsDialogTest, LoadsTheSwitchesAndGrabsTheStoredHotkey)
{
    dir.write("tblaunch.ini", "[hotkey]\r\nkey=Ctrl+Alt+K\r\n[Setting]\r\nMousePoint=0\r\n"
                              "TimeStamp=0\r\nStayOnTop=1\r\n");
    start();
    EXPECT_EQ(hotkeys.grabbed, (QMap<int, Combination>{{1, {0x4B, 3}}}));
    dialog->show();
    EXPECT_EQ(hotkeyField()->text(), "Ctrl+Alt+K");
    const Settings &live = root->settings();
    EXPECT_EQ(live.hotkey(), 0xC04B);
    EXPECT_FALSE(live.appearAtPointer());
    EXPECT_TRUE(live.useHotkey());
    EXPECT_FALSE(live.showTime());
    EXPECT_TRUE(live.stayOnTop());
}

TEST_F(SettingsDialogTest, AHotkeySwitchedOffIsReleasedAndDoesNothing)
{
    dir.write("tblaunch.ini", "[hotkey]\r\nkey=Ctrl+Alt+K\r\n[Setting]\r\nHookHotKey=0\r\n");
    start();
    EXPECT_TRUE(hotkeys.grabbed.isEmpty());
    EXPECT_TRUE(hotkeyField()->isHidden());
    EXPECT_FALSE(box("appearAtCursor")->isEnabled());
    window->hide();
    hotkeys.press(1);
    EXPECT_FALSE(window->isVisible());

    box("useHotkey")->setChecked(true);
    EXPECT_EQ(hotkeys.grabbed.value(1), (Combination{0x4B, 3}));
    EXPECT_FALSE(hotkeyField()->isHidden());
    box("useHotkey")->setChecked(false); // another program may have the combination now
    EXPECT_TRUE(hotkeys.grabbed.isEmpty());
}

// Where the desktop places and stacks windows itself, the two boxes are greyed out with a tip
// whatever the hotkey switch says, their values kept, and a line says what to bind.
TEST_F(SettingsDialogTest, WhatTheDesktopDecidesIsGreyedOutAndKeptAsStored)
{
    struct Case
    {
        const char *name;
        WindowFrame::Abilities allowed;
    };
    for (const Case &c : {Case{"X11", {}}, Case{"Wayland", {false, false, false}}}) {
        SCOPED_TRACE(c.name);
        const bool x11 = c.allowed.placesItself;
        dir.write("tblaunch.ini", "[hotkey]\r\nkey=Ctrl+Alt+K\r\n[Setting]\r\nMousePoint=1\r\n"
                                  "StayOnTop=1\r\nHookHotKey=0\r\n");
        windowFrame.allowed = c.allowed;
        start();
        box("useHotkey")->setChecked(true);
        // Every control shown lies inside the window, with the room below it that the designed
        // dialog keeps below its buttons for the frame and the margin.
        dialog->show();
        const QMargins frame = dialog->windowHandle()->frameMargins();
        const int outerHeight = dialog->height() + frame.top() + frame.bottom();
        for (const QWidget *control : dialog->findChildren<QWidget *>(Qt::FindDirectChildrenOnly))
            if (control->isVisible()) {
                EXPECT_LE(control->geometry().bottom() + 1 + 36, outerHeight)
                    << control->objectName().toStdString();
            }
        for (const char *name : {"appearAtCursor", "stayOnTop"}) {
            EXPECT_EQ(box(name)->isEnabled(), x11) << name;
            EXPECT_EQ(box(name)->toolTip().isEmpty(), x11) << name;
            EXPECT_TRUE(box(name)->isChecked()) << name;
        }
        EXPECT_EQ(box("appearAtCursor")->toolTip().contains("move position cursor"), !x11);
        EXPECT_EQ(box("appearAtCursor")->toolTip().contains("cursor_x"), !x11);
        // Tips this long wrap to a readable width instead of running off the screen.
        for (const char *name : {"appearAtCursor", "stayOnTop"}) {
            if (x11)
                break;
            QToolTip::showText({0, 0}, box(name)->toolTip(), box(name));
            QWidget *tip = nullptr;
            for (QWidget *shown : QApplication::topLevelWidgets())
                if (shown->objectName() == u"qtooltip_label" && shown->isVisible())
                    tip = shown;
            ASSERT_NE(tip, nullptr) << name;
            EXPECT_TRUE(static_cast<QLabel *>(tip)->wordWrap()) << name;
            QToolTip::hideText();
        }
        const auto *line = dialog->findChild<QLineEdit *>(QStringLiteral("summonLine"));
        EXPECT_EQ(line != nullptr, !x11);
        if (line) {
            EXPECT_TRUE(line->isReadOnly());
            EXPECT_TRUE(line->text().contains("tblaunch-summon --toggle"))
                << line->text().toStdString();
            // A desktop that binds the hotkey itself says what it bound, or that it bound
            // none, and then the command to bind is back; either way, that another combination
            // opens the desktop's settings. A desktop that binds none for programs says so.
            const auto *hint = dialog->findChild<QLabel *>(QStringLiteral("summonHint"));
            const auto *note = dialog->findChild<QLabel *>(QStringLiteral("summonNote"));
            EXPECT_TRUE(note->isHidden());
            hotkeys.bind(1, QStringLiteral("Ctrl+Alt+J"));
            EXPECT_EQ(line->text(), "Ctrl+Alt+J");
            EXPECT_EQ(hint->text(), DialogMessages::desktopBound());
            EXPECT_FALSE(note->isHidden());
            hotkeys.bind(1, {});
            EXPECT_TRUE(line->text().contains("tblaunch-summon --toggle"));
            EXPECT_EQ(hint->text(), DialogMessages::desktopBoundNothing());
            EXPECT_FALSE(note->isHidden());
            hotkeys.bindNothingForPrograms(1);
            EXPECT_TRUE(line->text().contains("tblaunch-summon --toggle"));
            EXPECT_EQ(hint->text(), DialogMessages::noHotkeyForPrograms());
            EXPECT_TRUE(note->isHidden());
        }
        click("ok");
        EXPECT_EQ(settingsText(), "[hotkey]\r\nkey=Ctrl+Alt+K\r\n[Setting]\r\nMousePoint=1\r\n"
                                  "StayOnTop=1\r\nHookHotKey=1\r\nTimeStamp=1\r\n");
        root.reset();
    }
}

// The dialog is made when first opened: what the desktop said of the hotkey before then is
// shown in it.
TEST_F(SettingsDialogTest, WhatTheDesktopSaidBeforeTheDialogWasMadeIsShownInIt)
{
    windowFrame.allowed = {false, false, false};
    WindowsFixture::start();
    hotkeys.bind(1, QStringLiteral("Ctrl+Alt+J"));
    dialog = &root->settingsDialog();
    EXPECT_EQ(child<QLineEdit>(*dialog, "summonLine")->text(), "Ctrl+Alt+J");
    EXPECT_EQ(child<QLabel>(*dialog, "summonHint")->text(), DialogMessages::desktopBound());
}

TEST_F(SettingsDialogTest, OnlyChangeAndOkWriteAndOkWritesInItsOrder)
{
    start();
    hotkeyField()->setShortcut(0xC04B);
    box("showTime")->setChecked(false);
    click("cancel");
    EXPECT_FALSE(dir.exists("tblaunch.ini"));
    EXPECT_FALSE(root->settings().showTime()); // live all the same

    click("apply");
    EXPECT_EQ(settingsText(), "[hotkey]\r\nkey=Ctrl+Alt+K\r\n");
    EXPECT_EQ(hotkeys.grabbed.value(1), (Combination{0x4B, 3}));

    QFile::remove(dir.file("tblaunch.ini"));
    click("ok");
    // TimeStamp, StayOnTop, MousePoint, key, HookHotKey: the last joins its section.
    EXPECT_EQ(settingsText(), "[Setting]\r\nTimeStamp=0\r\nStayOnTop=0\r\nMousePoint=1\r\n"
                              "HookHotKey=1\r\n[hotkey]\r\nkey=Ctrl+Alt+K\r\n");
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
}

// The fallbacks' boxes below the rest: loaded, live at once, and written by "OK" only once
// changed, so a file that never named them is left as it was.
TEST_F(SettingsDialogTest, TheFallbacksBoxesAreLiveAndWrittenOnlyOnceChanged)
{
    dir.write("tblaunch.ini", "[Setting]\r\nReadings=0\r\n");
    start();
    EXPECT_FALSE(box("readings")->isChecked());
    EXPECT_TRUE(box("applications")->isChecked());
    EXPECT_EQ(box("applications")->text(), "インストールされたアプリケーションも探す");
    EXPECT_EQ(box("readings")->text(), "読みで探す");
    click("ok");
    EXPECT_FALSE(settingsText().contains("Applications"));
    box("applications")->setChecked(false);
    EXPECT_FALSE(root->settings().applications());
    box("readings")->setChecked(true);
    EXPECT_TRUE(root->settings().readings());
    click("ok");
    EXPECT_TRUE(settingsText().contains("Readings=1\r\n"));
    EXPECT_TRUE(settingsText().contains("Applications=0\r\n"));
}

// Keys as the display reports them: the sign typed, and the key's scan code, which the
// keyboard map turns into the key's virtual key.
TEST_F(SettingsDialogTest, TheHotkeyFieldTakesAKeyByWhatItHasUnshiftedAndRefusesWhatItCannotWrite)
{
    keyNames.keys = {{10, 0x31}, {47, 0xBA}}; // "1 !", and ";" without a name here
    dir.write("tblaunch.ini", "[hotkey]\r\nkey=Ctrl+Alt+K\r\n");
    start();
    const auto press = [&](int qtKey, Qt::KeyboardModifiers modifiers, quint32 scanCode) {
        QKeyEvent event(QEvent::KeyPress, qtKey, modifiers, scanCode, 0, 0);
        QApplication::sendEvent(hotkeyField(), &event);
    };
    const Qt::KeyboardModifiers ctrlShift = Qt::ControlModifier | Qt::ShiftModifier;
    press(Qt::Key_Exclam, ctrlShift, 10);
    EXPECT_EQ(hotkeyField()->shortcut(), 0x6031);
    click("apply");
    EXPECT_EQ(settingsText(), "[hotkey]\r\nkey=Shift+Ctrl+1\r\n");
    EXPECT_EQ(hotkeys.grabbed.value(1), (Combination{0x31, 6}));

    struct Refused
    {
        const char *name;
        int qtKey;
        quint32 scanCode;
    };
    for (const Refused &key : {Refused{"a key without a name", Qt::Key_Semicolon, 47},
                               Refused{"a sign with Shift, its key unknown", Qt::Key_Exclam, 0},
                               Refused{"no key at all", Qt::Key_unknown, 0}}) {
        QToolTip::showText({}, QStringLiteral("-"), hotkeyField());
        press(key.qtKey, ctrlShift, key.scanCode);
        EXPECT_EQ(hotkeyField()->shortcut(), 0x6031) << key.name;
        EXPECT_EQ(QToolTip::text(), QStringLiteral("このキーはホットキーにできません")) << key.name;
    }
    // A modifier on its own is a combination on its way, not a refusal.
    QToolTip::showText({}, QStringLiteral("-"), hotkeyField());
    press(Qt::Key_Shift, Qt::ControlModifier | Qt::ShiftModifier, 50);
    EXPECT_EQ(QToolTip::text(), QStringLiteral("-"));
    click("ok");
    EXPECT_TRUE(settingsText().contains("key=Shift+Ctrl+1\r\n"));
}

TEST_F(SettingsDialogTest, TheHotkeyBringsTheMainWindowToThePointer)
{
    dir.write("tblaunch.ini", "[hotkey]\r\nkey=Ctrl+Alt+K\r\n");
    start();
    window->hide();
    icon()->setPixmap(QPixmap(32, 32));
    input()->setText("12:00");
    input()->selectAll();
    QCursor::setPos(300, 200);
    hotkeys.press(1);
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(window->frameGeometry().topLeft(), QPoint(290, 190));
    // The focus is asked for once the window is on the screen.
    const QDeadlineTimer deadline(2000);
    while (!window->windowHandle()->isExposed() && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    EXPECT_EQ(hotkeys.focusRequests, 1);
    EXPECT_TRUE(icon()->pixmap().isNull());
    EXPECT_TRUE(input()->text().isEmpty());

    box("appearAtCursor")->setChecked(false);
    QCursor::setPos(600, 500);
    hotkeys.press(1);
    EXPECT_EQ(window->frameGeometry().topLeft(), QPoint(290, 190));
}

TEST_F(SettingsDialogTest, OpensBesideTheMainWindowAndOkKeepsItOnTop)
{
    start();
    window->move(100, 120);
    interaction.onModal = [this](QDialog &shown) {
        EXPECT_EQ(&shown, dialog);
        EXPECT_EQ(shown.pos(), QPoint(152, 172));
        box("stayOnTop")->setChecked(true);
        click("ok");
        return int(QDialog::Accepted);
    };
    action(MainMenu::Command::Settings)->trigger();
    EXPECT_EQ(interaction.modalCount, 1);
    EXPECT_TRUE(window->windowHandle()->flags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_EQ(windowFrame.borderOnlyRequests, 2); // the frame wish renewed with the flags

    // Kept on top, the window stays when another program is used.
    window->show();
    window->trayAvailable = [] {
        return true;
    };
    window->onApplicationDeactivated();
    EXPECT_TRUE(window->isVisible());
}

} // namespace
