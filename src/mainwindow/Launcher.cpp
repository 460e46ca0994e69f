#include "Launcher.h"

#include "EntryDisplay.h"
#include "IdleClock.h"
#include "MainWindowMessages.h"
#include "SkinLook.h"

#include "base/Error.h"
#include "base/Guard.h"
#include "base/Interaction.h"
#include "calc/MathsParser.h"
#include "keywords/EnterCommand.h"
#include "keywords/EntryIcon.h"
#include "keywords/KeywordReadings.h"
#include "keywords/KeywordStore.h"
#include "keywords/KeywordText.h"
#include "keywords/KeywordWords.h"
#include "keywords/TargetPath.h"
#include "platform/Icons.h"
#include "platform/Shell.h"
#include "platform/SystemPower.h"
#include "settings/Settings.h"
#include "ui/AppContext.h"

#include <QCoreApplication>
#include <QPixmap>
#include <QScopedValueRollback>

namespace Say = MainWindowMessages;

namespace {

// The calculator's language: its messages in Japanese, as on a system with the Japanese font.
constexpr int JapaneseLanguage = 1;

} // namespace

Launcher::Launcher(AppContext &context, KeywordStore &store, KeywordReadings &readings,
                   Settings &settings, EntryDisplay &display, IdleClock &clock, SkinLook &skin,
                   QObject *parent)
    : QObject(parent)
    , m_context(context)
    , m_store(store)
    , m_settings(settings)
    , m_display(display)
    , m_clock(clock)
    , m_skin(skin)
    , m_calculator(new MathsParser(this))
    , m_power(new SystemPower(context.power, this))
    , m_readings(readings)
    , m_applications(new ApplicationOffer(context.applications, settings, this))
{
    setObjectName(QStringLiteral("launcher"));
    m_calculator->setObjectName(QStringLiteral("calculator"));
    m_calculator->setLanguage(JapaneseLanguage);
    m_power->setObjectName(QStringLiteral("power"));
    // A text typed before the readings were made (or made again) is offered what they reach.
    connect(&m_readings, &KeywordReadings::readingsReady, this, [this] {
        const QString text = m_display.typedText();
        if (text.isEmpty() || m_store.findLast(text) >= 0)
            return;
        offerByReading(text);
    });
    connect(m_applications, &ApplicationOffer::applicationsReady, this, [this] {
        const QString text = m_display.typedText();
        if (!text.isEmpty() && m_store.findLast(text) < 0 && !m_offer)
            offerByReading(text);
    });
    connect(&m_settings, &Settings::readingsChanged, this, [this](bool on) {
        if (on)
            m_readings.start();
    });
    connect(m_power, &SystemPower::refused, this,
            [this](const QString &message) { m_context.interaction.error(errorBoxText(message)); });
    for (const CommandRow &row : CommandTable::rows()) {
        const LauncherCommand command = row.command;
        if (row.handler)
            m_handlers[std::size_t(command)] = [this, handler = row.handler] {
                (this->*handler)();
            };
        else
            m_handlers[std::size_t(command)] = [this, command] {
                emit windowRequested(command);
            };
    }
}

Launcher::~Launcher() = default;

void Launcher::enter()
{
    m_dispatch.run();
}

void Launcher::lineEdited()
{
    m_clock.holdForTyping();
    m_display.showIcon();
    // Every equal row names the same entry file, and the last one's icon stands: reading
    // the entry once and taking the last row's icon shows what handling each in turn would.
    const QString text = m_display.inputText();
    const qsizetype row = m_display.completesNothing() ? -1 : m_store.findLast(text);
    if (row < 0) {
        offerByReading(text);
    } else {
        m_offer.reset();
        m_applications->withdraw();
        const std::optional<Entry> entry = readNamedEntry(text);
        if (!entry)
            return;
        showEntry(m_store.keywords().value(row), *entry, entry->description);
    }
    m_clock.restartIdleCount();
}

void Launcher::cutLine(const QString &text)
{
    m_display.setInputText(text);
    if (m_store.findLast(text) < 0)
        offerByReading(text);
    else {
        m_offer.reset();
        m_applications->withdraw();
    }
}

void Launcher::offerByReading(const QString &text)
{
    // An offer the text no longer reaches is withdrawn; a literal completion's display stays
    // until the line is cleared, as it always has.
    const bool offered = m_offer.has_value() || m_applications->offering();
    m_offer.reset();
    m_applications->withdraw();
    const auto withdraw = [&] {
        if (offered)
            m_display.showEntry(QPixmap(), QString());
    };
    // After the keywords reached by reading come the user's keywords followed by words, and
    // only then the installed applications.
    // The text is read once, for the keywords and the applications alike.
    std::optional<KeywordReading::Typed> reading;
    if (m_settings.readings())
        reading = KeywordReading::ofTyped(text);
    const qsizetype row = reading ? m_readings.find(*reading) : -1;
    if (row < 0) {
        if (!offerWithWords(text) && !offerApplication(text, reading ? &*reading : nullptr))
            withdraw();
        return;
    }
    const QString keyword = m_store.keywords().value(row);
    // Not typed, an unreadable keyword is only not offered: its error is said when it is.
    std::optional<Entry> entry;
    try {
        entry = m_store.readEntry(keyword);
    } catch (const Error &) {
        return withdraw();
    }
    showEntry(keyword, *entry, MainWindowMessages::reachedByReading(keyword, entry->description));
    m_offer = Offer{text, keyword};
}

bool Launcher::offerWithWords(const QString &text)
{
    const std::optional<KeywordWords> line = KeywordWords::split(text);
    if (!line)
        return false;
    // As Enter reads the line: a formula's first word names a keyword only typed in full.
    qsizetype row = m_store.findLast(line->keyword);
    const bool literal = row >= 0;
    if (!literal && !EnterCommand::isFormula(text))
        row = rowByReading(line->keyword);
    if (row < 0)
        return false;
    const QString keyword = m_store.keywords().value(row);
    std::optional<Entry> entry;
    try {
        entry = m_store.readEntry(keyword);
    } catch (const Error &) {
        return false;
    }
    const QString description =
        literal ? entry->description : Say::reachedByReading(keyword, entry->description);
    showEntry(keyword, *entry, Say::withWords(description, line->words));
    m_offer = Offer{text, keyword, true};
    return true;
}

QString Launcher::keywordNamedBy(const QString &word, bool byReading) const
{
    qsizetype row = m_store.findLast(word);
    if (row < 0 && byReading)
        row = rowByReading(word);
    return m_store.keywords().value(row);
}

qsizetype Launcher::rowByReading(const QString &text) const
{
    // The box in the settings dialog switches them while they are made.
    return m_settings.readings() ? m_readings.find(text) : -1;
}

bool Launcher::offerApplication(const QString &text, const KeywordReading::Typed *reading)
{
    const std::optional<ApplicationOffer::Offered> application =
        m_applications->offer(text, reading);
    if (!application)
        return false;
    m_display.showEntry(m_context.icons.extract(application->file, 0, m_display.pixelRatio()),
                        Say::reachedByReading(application->name, application->comment));
    return true;
}

void Launcher::showEntry(const QString &keyword, const Entry &entry, const QString &description)
{
    const IconRef icon = EntryIcon::iconForEntry(keyword, entry.target,
                                                 m_settings.storedName(SpecialItem::RecycleBin),
                                                 m_settings.storedName(SpecialItem::MyDocuments));
    m_display.showEntry(m_context.icons.extract(icon.file, icon.index, m_display.pixelRatio()),
                        description);
}

QString Launcher::shownKeyword() const
{
    const QString text = m_display.typedText();
    return m_offer && !m_offer->withWords && m_offer->text == text ? m_offer->keyword : text;
}

void Launcher::startReadings()
{
    if (m_settings.readings())
        m_readings.start();
    m_applications->start();
}

std::optional<Entry> Launcher::readNamedEntry(const QString &text)
{
    try {
        return m_store.readEntry(text);
    } catch (const Error &error) {
        // Said once while the line names the keyword, not at every key that completes it
        // again; and the line is given back as the box found it, its proposal selected, so
        // that typing on replaces the proposal.
        if (KeywordText::equal(text, m_unreadableReported))
            return std::nullopt;
        const EntryDisplay::Selection selection = m_display.selection();
        m_unreadableReported = text;
        m_context.interaction.error(errorBoxText(error.message()));
        m_display.restoreLine(text, selection);
        return std::nullopt;
    }
}

void Launcher::lineChanged(const QString &text)
{
    if (!KeywordText::equal(text, m_unreadableReported))
        m_unreadableReported.clear();
}

void Launcher::drop(const QStringList &paths)
{
    if (const std::optional<FileDrop::Proposal> proposal = m_drop.drop(paths))
        emit pathRegistrationRequested(proposal->keyword, proposal->path, proposal->icon);
}

void Launcher::run(LauncherCommand command)
{
    if (const auto &handler = m_handlers[std::size_t(command)])
        handler();
}

void Launcher::setHandler(LauncherCommand command, std::function<void()> handler)
{
    m_handlers[std::size_t(command)] = std::move(handler);
}

void Launcher::toggleLock()
{
    setLocked(!m_locked);
}

void Launcher::releaseLock()
{
    setLocked(false);
}

void Launcher::setLocked(bool on)
{
    m_locked = on;
    emit lockChanged(on);
}

void Launcher::openRegistration()
{
    const QString myComName = m_settings.storedName(SpecialItem::MyComputer);
    const QString mydocName = m_settings.storedName(SpecialItem::MyDocuments);
    const QString dustBoxName = m_settings.storedName(SpecialItem::RecycleBin);
    // The clock's date and time name no entry: a new one is registered.
    const QString text = shownKeyword();
    const QStringView newEntry = CommandTable::row(LauncherCommand::Register).exactForm;
    if (text.isEmpty() || KeywordText::equal(text, newEntry)) {
        emit newEntryRequested();
        return;
    }
    const qsizetype found = m_store.find(text);
    if (found < 0) {
        // An offered application is kept as a keyword: its name proposed, its entry opened.
        if (const auto application = offeredApplication(text))
            emit entryEditRequested(application->name,
                                    Entry{application->file, application->comment, {}},
                                    IconRef{application->file, 0}, false);
        return;
    }
    const QString row = m_store.keywords().value(found);
    const Entry entry = m_store.readEntry(text);
    const bool special = row == myComName || row == mydocName || row == dustBoxName;
    emit entryEditRequested(
        row, entry, EntryIcon::iconForEntry(row, entry.target, dustBoxName, mydocName), special);
}

void Launcher::openTargetFolder()
{
    // The clock's date and time name no entry.
    const QString text = shownKeyword();
    if (text.isEmpty()) {
        m_context.interaction.warning(QString::fromUtf16(Say::NothingSelected),
                                      {Interaction::Button::Ok});
        return;
    }
    const Entry entry = m_store.readEntry(text);
    // A folder the shell cannot open is said, and the line is done with all the same.
    guarded(m_context.interaction, [&] {
        const QString folder = TargetPath::folderToOpen(entry.target);
        // An empty target is the shell's to refuse; a program PATH does not find has no folder.
        if (folder.isEmpty() && !entry.target.isEmpty())
            throw Error(Say::noFolderToOpen(entry.target));
        m_context.shell.open(folder, entry.parameters);
    });
    m_display.clear();
    releaseLock();
    m_clock.resume();
    m_clock.switchOn();
}

void Launcher::deleteShownEntry()
{
    using Button = Interaction::Button;
    Interaction &interaction = m_context.interaction;
    // The clock's date and time name no entry.
    const QString text = shownKeyword();
    if (text.isEmpty()) {
        interaction.warning(QString::fromUtf16(Say::NothingSelected), {Button::Ok});
        return;
    }
    for (const SpecialItem item :
         {SpecialItem::MyComputer, SpecialItem::Shutdown, SpecialItem::Reboot,
          SpecialItem::MyDocuments, SpecialItem::RecycleBin}) {
        if (KeywordText::equal(text, m_settings.specialName(item))) {
            interaction.warning(QString::fromUtf16(Say::SpecialItemNotDeleted), {Button::Ok});
            return;
        }
    }
    const qsizetype row = m_store.find(text);
    if (row < 0)
        return;
    const QString keyword = m_store.keywords().value(row);
    if (interaction.warning(Say::confirmDeletion(keyword), {Button::Ok, Button::Cancel})
        != Button::Ok)
        return;
    m_store.removeKeyword(row);
    m_display.clear();
    releaseLock();
    m_store.reload();
}

void Launcher::chooseDefaultSkin()
{
    m_skin.applyDefault();
}

void Launcher::openHelp()
{
    // Beside the program or where it is installed, wherever it was started from.
    m_context.shell.open(m_context.helpFile, QString());
}

void Launcher::quit()
{
    using Button = Interaction::Button;
    // The boxes below run their own event loops, in which the exit command can come again
    // (a held key, the menu, the shortcut): one error and one question answer them all.
    if (m_quitting)
        return;
    const QScopedValueRollback once(m_quitting, true);
    const bool saved = guarded(m_context.interaction, [&] {
        m_settings.setDefaultSkin(m_skin.defaultChosen());
        m_settings.setSelectedSkinName(m_skin.selectedName());
        m_settings.writeSkinChoice();
    });
    // A folder that takes no writes (read-only, full) must not keep the user in the program:
    // after the error, ending without saving is offered, and is the default answer.
    if (!saved
        && m_context.interaction.warning(QString::fromUtf16(Say::QuitWithoutSaving),
                                         {Button::Yes, Button::No})
               != Button::Yes)
        return;
    emit quitting();
    QCoreApplication::quit();
}
