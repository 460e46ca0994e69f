#include "EnterDispatch.h"

#include "EntryDisplay.h"
#include "IdleClock.h"
#include "Launcher.h"
#include "MainWindowMessages.h"
#include "keywords/EnterCommand.h"
#include "keywords/KeywordStore.h"
#include "keywords/WordSubstitution.h"

#include "base/Guard.h"
#include "calc/MathsParser.h"
#include "calc/NumberFormat.h"
#include "platform/InstalledApplications.h"
#include "platform/Shell.h"
#include "platform/SystemPower.h"
#include "settings/Settings.h"
#include "ui/AppContext.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QLocale>

EnterDispatch::EnterDispatch(Launcher &launcher)
    : m_launcher(launcher)
{
}

void EnterDispatch::run()
{
    using K = EnterCommand::Kind;
    Launcher &launcher = m_launcher;
    EntryDisplay &display = launcher.display();
    KeywordStore &store = launcher.store();
    const Settings &settings = launcher.settings();
    // The clock's date and time are no text of the user's: Enter on them is Enter on nothing.
    const QString text = launcher.shownKeyword();
    const auto launchable = [&](const QString &t) {
        return (store.find(t) >= 0 && store.entryExists(t)) || launcher.offeredApplication(t);
    };
    const EnterCommand command = EnterCommand::classify(
        text, CommandTable::typedForms(), settings.specialName(SpecialItem::Shutdown),
        settings.specialName(SpecialItem::Reboot), launchable,
        [&](const QString &t) { return launchable(t) && !store.readEntry(t).target.isEmpty(); },
        [&launcher](const QString &word, bool byReading) {
            return launcher.keywordNamedBy(word, byReading);
        });
    switch (command.kind) {
    case K::PowerOff:
        launcher.power().powerOff();
        break;
    case K::Reboot:
        launcher.power().reboot();
        break;
    case K::Address:
        open(command.text, QString());
        break;
    case K::Command: {
        const auto id = LauncherCommand(command.command);
        if (command.cut)
            launcher.cutLine(command.text);
        launcher.run(id);
        if (CommandTable::row(id).keepsLine)
            return;
        break;
    }
    case K::Calculate:
        calculate(command.text);
        finish();
        return;
    case K::Keyword:
    case K::KeywordWithWords: {
        // One look-up: a keyword typed in another case may cost a scan of the folder.
        const QString file = store.findEntryFile(command.text);
        if (file.isEmpty()) {
            if (const auto application = launcher.offeredApplication(command.text)) {
                openApplication(application->file);
                break;
            }
            display.clear();
            // Cleared without a word, a mistyped keyword would look like a launch that failed.
            if (!command.text.isEmpty())
                display.showNotice(MainWindowMessages::notRegistered(command.text));
            launcher.releaseLock();
            return;
        }
        launch(file, command.words);
        break;
    }
    }
    display.clear();
    finish();
}

void EnterDispatch::finish()
{
    m_launcher.releaseLock();
    m_launcher.clock().resume();
}

void EnterDispatch::calculate(const QString &text)
{
    MathsParser &calculator = m_launcher.calculator();
    calculator.setExpression(text);
    const QString result = formatGeneral(calculator.value(), QLocale().decimalPoint().at(0));
    m_launcher.display().setInputText(result);
    QGuiApplication::clipboard()->setText(result);
}

void EnterDispatch::launch(const QString &entryFile, const QString &words)
{
    const Entry entry = KeywordStore::readEntryFile(entryFile);
    // The words reach the program as its arguments, never through a shell.
    const WordSubstitution with = WordSubstitution::apply(entry.target, entry.parameters, words);
    open(with.target, with.parameters);
}

void EnterDispatch::openApplication(const QString &file)
{
    // As a target the shell cannot open: said, and the line cleared as after any launch.
    AppContext &context = m_launcher.context();
    guarded(context.interaction, [&] { context.applications.launch(file); });
}

void EnterDispatch::open(const QString &target, const QString &parameters)
{
    // What the shell cannot open is its own failure, not the line's: it is shown, and the
    // line is cleared as after any launch.
    AppContext &context = m_launcher.context();
    guarded(context.interaction, [&] { context.shell.open(target, parameters); });
}
