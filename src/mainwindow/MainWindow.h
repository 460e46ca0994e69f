#pragma once

// The launcher's main window: the input line with its keyword list, the entry's icon and
// description, the popup menu, the idle clock and the notification-area icon. It lays them
// out and translates the user's keys, clicks, drags and drops into calls of the Launcher,
// which holds the lock and the rules, acts on the display (EntryDisplay) and the clock
// (IdleClock), and reports what the window shows or hands on; WindowPresence shows, puts
// away and places it.
//
// The routes through it, each step named by the function that takes it:
//
// - A keystroke: KeywordLineEdit::keyPressEvent announces the key to onInputKey(), then
//   its character to onInputCharacter() (the clock may tick again); KeywordLineEdit
//   completes the text from the KeywordStore; Launcher::lineEdited() stops the clock and
//   shows the icon (EntryIcon, Icons) and description of the keyword the line now names,
//   the special items' names coming from the Settings model (no file is opened).
// - Enter: onInputCharacter() calls Launcher::enter(), whose EnterDispatch::run() classifies
//   the line (EnterCommand::classify, with the CommandTable's typed forms) and powers off or
//   restarts (SystemPower), opens an address or launches a keyword's target (Shell), runs a
//   command of the table (Launcher::run()), or calculates (MathsParser); then clears the
//   display and releases the lock.
// - A command: MainMenu, built from the CommandTable, reports chosen(); the window runs it
//   through the error box (Launcher::run()). A command that opens another window is
//   reported by Launcher::windowRequested() and windowRequested() with its position; the
//   composition root opens the window the command names.
// - A registration: Launcher::openRegistration() emits newEntryRequested() or
//   entryEditRequested(); the composition root opens the RegistrationDialog, which writes
//   through the KeywordStore and reports registered(), upon which clearDisplay() runs.
// - A drop: dropEvent() hands the dropped local paths to Launcher::drop(), whose
//   FileDrop::drop() acts on the shown entry when the launcher is locked and otherwise
//   proposes the first path, which pathRegistrationRequested() takes to the
//   RegistrationDialog.
// - Start-up: the composition root loads the Settings and makes the window, then startUp()
//   makes the skin folder, applies the skin choice (SkinLook), switches the clock on, shows
//   the tray icon and loads the keyword list (KeywordStore::load).
// - A hotkey press: the hotkey service calls summon(), whose WindowPresence places the window
//   at the pointer when the settings say so (WindowPlacement) and brings it back as a click
//   on the tray icon does (restoreFromTray()).

#include "CommandTable.h"
#include "EntryDisplay.h"
#include "Launcher.h"
#include "SkinLook.h"
#include "SkinnedControls.h"
#include "WindowPresence.h"

#include "keywords/Entry.h"

#include <QPoint>
#include <QWidget>

#include <functional>
#include <optional>

class IdleClock;
class KeywordBox;
class KeywordLineEdit;
class KeywordStore;
class MainMenu;
class Settings;
class SkinEditorState;
class KeywordReadings;
class TrayIcon;
class WindowMove;
struct AppContext;
struct IconRef;

class MainWindow : public QWidget
{
    Q_OBJECT

public:
    MainWindow(AppContext &context, KeywordStore &store, KeywordReadings &readings,
               Settings &settings, const SkinEditorState &skinEditorState);
    ~MainWindow() override;

    // An error ends start-up early and is shown; the window appears regardless.
    void startUp();

    // Every key pressed in the input line, as a virtual-key code, before its character.
    void onInputKey(int key);
    // Every character the input line receives, before the line itself sees it.
    void onInputCharacter(QChar character);
    // An input method began or ended composing text in the input line.
    void onComposition(bool composing);

    // The program lost the foreground to another one, or got it back.
    void onApplicationDeactivated();
    void onApplicationActivated();
    // The notification-area icon was clicked with the left or the right button.
    void restoreFromTray() { m_presence->restore(); }
    // Asked from outside (another start of the program, a desktop's shortcut): brought forward
    // as from the tray, taking the focus with the activation token the desktop gave the asker
    // (or, where the desktop gives the focus only to a window that appears, by appearing
    // anew); put away as when another program is turned to, the line cleared; or put away
    // only when shown with the focus, and else brought forward.
    void comeForward(const QByteArray &token) { m_presence->comeForward(token); }
    void putAway() { m_presence->putAway(); }
    void toggleShown(const QByteArray &token = {}) { m_presence->toggle(token); }
    void openTrayMenu();
    // The hotkey was pressed: the window comes back, placed at the pointer if so asked.
    void summon(bool atPointer) { m_presence->summon(atPointer); }
    // Stays above other windows from now on.
    void keepOnTop() { m_presence->keepOnTop(); }

    // The lock, as the menu's lock command and the typed "/lock" switch it.
    void toggleLock() { m_launcher->toggleLock(); }
    bool locked() const { return m_launcher->locked(); }
    // The exit command: saves what this run chose and ends the program.
    void quit() { m_launcher->quit(); }

    void clearDisplay() { m_display->clear(); }
    // The skin chosen last in this run, written at the end.
    QString selectedSkinName() const { return m_skin->selectedName(); }

    // What the desktop says; tests answer in its place.
    std::function<bool()> shiftHeld;
    std::function<bool()> trayAvailable;
    std::function<bool()> programActive;

signals:
    // The registration dialog, as the user left it, for a new keyword.
    void newEntryRequested();
    // The registration dialog filled from a listed keyword's entry; a special item's
    // description alone may change.
    void entryEditRequested(const QString &keyword, const Entry &entry, const IconRef &icon,
                            bool descriptionOnly);
    // The registration dialog for a dropped path: name, path and icon filled in, the
    // description and parameters as the user left them.
    void pathRegistrationRequested(const QString &keyword, const QString &path,
                                   const IconRef &icon);
    // A command of the table that opens another window, which stands at the position the
    // command's row gives (from the main window's outer corner or its client area's).
    void windowRequested(LauncherCommand command, QPoint position);

protected:
    void contextMenuEvent(QContextMenuEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void hideEvent(QHideEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    void buildControls();
    void connectLauncher();

    AppContext &m_context;
    KeywordStore &m_store;
    Settings &m_settings;
    KeywordBox *m_keywordBox = nullptr;
    KeywordLineEdit *m_input = nullptr;
    MainMenu *m_menu = nullptr;
    Launcher *m_launcher = nullptr;
    IdleClock *m_clock = nullptr;
    TrayIcon *m_tray = nullptr;
    WindowMove *m_move = nullptr;
    std::optional<EntryDisplay> m_display;
    std::optional<SkinnedControls> m_skinView;
    std::optional<SkinLook> m_skin;
    std::optional<WindowPresence> m_presence;
    bool m_readingsStarted = false;
};
