#pragma once

#include "CommandTable.h"

#include "keywords/Entry.h"

#include <QObject>
#include <QString>

#include <array>
#include <functional>

class EntryDisplay;
class IdleClock;
class KeywordStore;
class Settings;
class SkinLook;
struct AppContext;
struct IconRef;

// The launcher without its widgets: the lock, the commands of the command table and the
// rules they follow (deletion, the registration request, the target's folder, saving at
// exit). The window shows what it holds and hands it the user's commands.
class Launcher : public QObject
{
    Q_OBJECT

public:
    Launcher(AppContext &context, KeywordStore &store, Settings &settings, EntryDisplay &display,
             IdleClock &clock, SkinLook &skin, QObject *parent);

    // The command's handler, its errors left to the caller: a typed command stops where
    // its error occurs, a chosen one is run through the error box by the window.
    void run(LauncherCommand command);
    // Puts another handler in the table's place (tests watch the commands so).
    void setHandler(LauncherCommand command, std::function<void()> handler);

    // The lock: while it is on the window stays when another program is used, and drops
    // act on the shown entry.
    bool locked() const { return m_locked; }
    void toggleLock();
    void releaseLock();

    // The commands' handlers.
    void openRegistration();
    void openTargetFolder();
    void deleteShownEntry();
    void chooseDefaultSkin();
    void openHelp();
    // Saves what this run chose and ends the program; a failed save asks first.
    void quit();

signals:
    void lockChanged(bool locked);
    // The registration dialog, as the user left it, for a new keyword.
    void newEntryRequested();
    // The registration dialog filled from a listed keyword's entry; a special item's
    // description alone may change.
    void entryEditRequested(const QString &keyword, const Entry &entry, const IconRef &icon,
                            bool descriptionOnly);
    // A command that opens another window (its row has no handler).
    void windowRequested(LauncherCommand command);
    // The program ends: the window closes.
    void quitting();

private:
    void setLocked(bool on);

    AppContext &m_context;
    KeywordStore &m_store;
    Settings &m_settings;
    EntryDisplay &m_display;
    IdleClock &m_clock;
    SkinLook &m_skin;
    std::array<std::function<void()>, LauncherCommandCount> m_handlers;
    bool m_locked = false;
    // An exit is asking about its failed save: another exit request waits for its answer.
    bool m_quitting = false;
};
