#pragma once

#include "ApplicationOffer.h"
#include "CommandTable.h"
#include "EnterDispatch.h"
#include "FileDrop.h"

#include "keywords/Entry.h"

#include <QObject>
#include <QString>
#include <QStringList>

#include <array>
#include <functional>
#include <optional>

class EntryDisplay;
class IdleClock;
class KeywordReadings;
class KeywordStore;
class MathsParser;
class Settings;
class SkinLook;
class SystemPower;
struct AppContext;
struct IconRef;

// The launcher without its widgets: what the line names and the lock, the commands of the
// command table and the rules they follow (Enter, drops, deletion, the registration request,
// the target's folder, saving at exit). It acts on the display and the clock; the window
// translates the user's keys, clicks and drops into its calls and shows what it reports.
class Launcher : public QObject
{
    Q_OBJECT

public:
    Launcher(AppContext &context, KeywordStore &store, KeywordReadings &readings,
             Settings &settings, EntryDisplay &display, IdleClock &clock, SkinLook &skin,
             QObject *parent);
    ~Launcher() override;

    // What its rules work with.
    AppContext &context() const { return m_context; }
    KeywordStore &store() const { return m_store; }
    const Settings &settings() const { return m_settings; }
    EntryDisplay &display() const { return m_display; }
    IdleClock &clock() const { return m_clock; }
    SystemPower &power() const { return *m_power; }
    MathsParser &calculator() const { return *m_calculator; }

    // Enter in the input line.
    void enter();
    // The user changed the line: shows the icon and description of the keyword it names, or,
    // where it names none, of the first keyword its reading reaches (with that keyword's name,
    // as the line does not show it), else of the installed application it reaches.
    void lineEdited();
    // The keyword a first word names: its row by the word itself, else, where `byReading`,
    // the first its reading reaches; empty where none.
    QString keywordNamedBy(const QString &word, bool byReading) const;
    // The keyword the line names, as the user's commands take it (Enter, the lock's drop,
    // editing, deleting, the target's folder): the one its reading reached, while the line
    // holds the text it was reached by; else the line's text. Empty while the line is empty
    // or shows the clock.
    QString shownKeyword() const;
    // The line cut back to the keyword before a typed command's suffix ("denta/del"): the
    // command takes what it reaches, literally or by its reading (電卓), as shownKeyword() says.
    void cutLine(const QString &text);
    // Reads the keywords for reaching them by their readings, and the installed applications
    // (after the window is shown).
    void startReadings();
    // The installed application offered while the line holds this text.
    std::optional<ApplicationOffer::Offered> offeredApplication(const QString &text) const
    {
        return m_applications->offeredFor(text);
    }
    // The line's text changed, by the user or the program.
    void lineChanged(const QString &text);
    // Local paths dropped on the window, in their order.
    void drop(const QStringList &paths);

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
    // The registration dialog for a dropped path: name, path and icon filled in, the
    // description and parameters as the user left them.
    void pathRegistrationRequested(const QString &keyword, const QString &path,
                                   const IconRef &icon);
    // A command that opens another window (its row has no handler).
    void windowRequested(LauncherCommand command);
    // The program ends: the window closes.
    void quitting();

private:
    void setLocked(bool on);
    // Where the line names no keyword: the first its reading reaches, shown as offered; an
    // offer it no longer reaches withdrawn.
    void offerByReading(const QString &text);
    // Where the line is a keyword followed by words: that keyword shown, the words after its
    // description. False where the line is no such thing.
    bool offerWithWords(const QString &text);
    // Where no keyword is reached either: the installed application the text reaches, shown
    // as offered (its icon; its name before its comment). False when none is.
    bool offerApplication(const QString &text, const KeywordReading::Typed *reading);
    // The row of the first keyword the text's reading reaches, while readings are on; else -1.
    qsizetype rowByReading(const QString &text) const;
    // The keyword's icon (its row's, for the special items), and the description given.
    void showEntry(const QString &keyword, const Entry &entry, const QString &description);
    // The entry the line names; an unreadable one is reported (once), and then none.
    std::optional<Entry> readNamedEntry(const QString &text);

    AppContext &m_context;
    KeywordStore &m_store;
    Settings &m_settings;
    EntryDisplay &m_display;
    IdleClock &m_clock;
    SkinLook &m_skin;
    MathsParser *m_calculator;
    SystemPower *m_power;
    EnterDispatch m_dispatch{*this};
    FileDrop m_drop{*this};
    std::array<std::function<void()>, LauncherCommandCount> m_handlers;
    bool m_locked = false;
    // An exit is asking about its failed save: another exit request waits for its answer.
    bool m_quitting = false;
    QString m_unreadableReported; // the keyword whose unreadable entry the line was told of
    KeywordReadings &m_readings;
    // The keyword the line's reading reached, and the text that reached it; or the keyword
    // that the line's first word names, which Enter takes with the words after it.
    struct Offer
    {
        QString text;
        QString keyword;
        bool withWords = false;
    };
    std::optional<Offer> m_offer;
    ApplicationOffer *m_applications;
};
