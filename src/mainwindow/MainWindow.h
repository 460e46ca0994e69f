#pragma once

// The launcher's main window: the input line with its keyword list, the entry's icon and
// description, the popup menu, the idle clock and the notification-area icon.
//
// The routes through it, each step named by the function that takes it:
//
// - A keystroke: KeywordLineEdit::keyPressEvent announces the key to onInputKey(), then
//   its character to onInputCharacter() (the clock may tick again); KeywordLineEdit
//   completes the text from the KeywordStore; onInputEdited() stops the clock and shows the
//   icon (EntryIcon, Icons) and description of the keyword the line now names.
// - Enter: onInputCharacter() hands the line to EnterDispatch::run(), which classifies it
//   (EnterCommand::classify) and powers off or restarts (SystemPower), opens an address or
//   launches a keyword's target (Shell), triggers a menu command, or calculates
//   (MathsParser); then clears the display and releases the lock.
// - A registration: openRegistration() emits newEntryRequested() or entryEditRequested();
//   the composition root opens the RegistrationDialog, which writes through the
//   KeywordStore and reports registered(), upon which clearDisplay() runs.
// - A drop: dropEvent() hands the dropped local paths to FileDrop::drop(), which acts on the
//   shown entry when the window is locked and otherwise proposes the first path, which
//   pathRegistrationRequested() takes to the RegistrationDialog.
// - Start-up: the composition root makes the window, then startUp() makes the skin folder,
//   reads the skin choice, switches the clock on, shows the tray icon and loads the
//   keyword list (KeywordStore::load).

#include "CommandTable.h"
#include "EnterDispatch.h"
#include "keywords/Entry.h"
#include "EntryDisplay.h"
#include "FileDrop.h"
#include "SkinLook.h"

#include "ui/WindowDrag.h"

#include <QPoint>
#include <QWidget>

#include <functional>
#include <optional>

class IdleClock;
class KeywordLineEdit;
class Launcher;
class KeywordListModel;
class KeywordStore;
class MainMenu;
class MathsParser;
class QComboBox;
class QLabel;
class QSystemTrayIcon;
class Settings;
class SkinEditorState;
class SystemPower;
struct AppContext;
struct IconRef;

class MainWindow : public QWidget
{
    Q_OBJECT

public:
    MainWindow(AppContext &context, KeywordStore &store, Settings &settings,
               const SkinEditorState &skinEditorState);
    ~MainWindow() override;

    // An error ends start-up early and is shown; the window appears regardless.
    void startUp();

    // Every key pressed in the input line, as a virtual-key code, before its character.
    void onInputKey(int key);
    // Every character the input line receives, before the line itself sees it.
    void onInputCharacter(QChar character);
    // The user changed the input line: show the icon and description of what it names.
    void onInputEdited();
    // An input method began or ended composing text in the input line.
    void onComposition(bool composing);

    // The program lost the foreground to another one, or got it back.
    void onApplicationDeactivated();
    void onApplicationActivated();
    // The notification-area icon was clicked with the left or the right button.
    void restoreFromTray();
    void openTrayMenu();
    // The hotkey was pressed: the window comes back, placed at the pointer if so asked.
    void summon(bool atPointer);
    // Stays above other windows from now on.
    void keepOnTop();

    // The lock, as the menu's lock command and the typed "/lock" switch it.
    void toggleLock();
    // The exit command: saves what this run chose and ends the program.
    void quit();

    bool locked() const;
    void clearDisplay();
    // The skin chosen last in this run, written at the end.
    QString selectedSkinName() const { return m_skin->selectedName(); }

    // What the desktop says; tests answer in its place.
    std::function<bool()> shiftHeld;
    std::function<bool()> trayAvailable;

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
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    void buildControls();
    void connectLauncher();
    void takeOverClockText();
    // The entry the line names; an unreadable one is reported (once), and then none.
    std::optional<Entry> readNamedEntry(const QString &text);
    void runStartUp();
    // The window manager's frame around the client area.
    QMargins frameAround() const;

    AppContext &m_context;
    KeywordStore &m_store;
    Settings &m_settings;
    KeywordListModel *m_model = nullptr;
    QComboBox *m_keywordBox = nullptr;
    KeywordLineEdit *m_input = nullptr;
    QLabel *m_icon = nullptr;
    QLabel *m_description = nullptr;
    MainMenu *m_menu = nullptr;
    Launcher *m_launcher = nullptr;
    IdleClock *m_clock = nullptr;
    QSystemTrayIcon *m_tray = nullptr;
    MathsParser *m_calculator = nullptr;
    SystemPower *m_power = nullptr;
    std::optional<EntryDisplay> m_display;
    std::optional<EnterDispatch> m_dispatch;
    std::optional<FileDrop> m_drop;
    std::optional<SkinLook> m_skin;
    QString m_textBeforeReload;
    QString m_unreadableReported; // the keyword whose unreadable entry the line was told of
    std::optional<WindowDrag> m_drag;
    // Set from the move handed to the window manager until the program is active again
    // (or, when the move never took the focus, shortly after the release).
    bool m_systemMove = false;
    QMargins m_hiddenFrame; // the window manager's frame, taken as the window hid
};
