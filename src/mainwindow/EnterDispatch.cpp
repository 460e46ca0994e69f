#include "EnterDispatch.h"

#include "keywords/EnterCommand.h"
#include "EntryDisplay.h"
#include "IdleClock.h"
#include "keywords/KeywordStore.h"
#include "Launcher.h"
#include "MainWindowMessages.h"

#include "base/Guard.h"
#include "calc/MathsParser.h"
#include "calc/NumberFormat.h"
#include "platform/Shell.h"
#include "settings/Settings.h"
#include "platform/SystemPower.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QLocale>

EnterDispatch::EnterDispatch(const Parts &parts)
    : m_parts(parts)
{
}

void EnterDispatch::run()
{
    using K = EnterCommand::Kind;
    EntryDisplay &display = m_parts.display;
    Launcher &launcher = m_parts.launcher;
    KeywordStore &store = m_parts.store;
    // The clock's date and time are no text of the user's: Enter on them is Enter on nothing.
    const QString text = display.typedText();
    const auto launchable = [&store](const QString &t) {
        return store.find(t) >= 0 && store.entryExists(t);
    };
    const EnterCommand command = EnterCommand::classify(
        text, CommandTable::typedForms(), m_parts.settings.specialName(SpecialItem::Shutdown),
        m_parts.settings.specialName(SpecialItem::Reboot), launchable,
        [&](const QString &t) { return launchable(t) && !store.readEntry(t).target.isEmpty(); });
    switch (command.kind) {
    case K::PowerOff:
        m_parts.power.powerOff();
        break;
    case K::Reboot:
        m_parts.power.reboot();
        break;
    case K::Address:
        open(command.text, QString());
        break;
    case K::Command: {
        const auto id = LauncherCommand(command.command);
        if (command.cut)
            display.setInputText(command.text);
        launcher.run(id);
        if (CommandTable::row(id).keepsLine)
            return;
        break;
    }
    case K::Calculate:
        calculate(command.text);
        finish();
        return;
    case K::Keyword: {
        // One look-up: a keyword typed in another case may cost a scan of the folder.
        const QString file = store.findEntryFile(command.text);
        if (file.isEmpty()) {
            display.clear();
            // Cleared without a word, a mistyped keyword would look like a launch that failed.
            if (!command.text.isEmpty())
                display.showNotice(MainWindowMessages::notRegistered(command.text));
            launcher.releaseLock();
            return;
        }
        launch(file);
        break;
    }
    }
    display.clear();
    finish();
}

void EnterDispatch::finish()
{
    m_parts.launcher.releaseLock();
    m_parts.clock.resume();
}

void EnterDispatch::calculate(const QString &text)
{
    m_parts.calculator.setExpression(text);
    const QString result =
        formatGeneral(m_parts.calculator.value(), QLocale().decimalPoint().at(0));
    m_parts.display.setInputText(result);
    QGuiApplication::clipboard()->setText(result);
}

void EnterDispatch::launch(const QString &entryFile)
{
    const Entry entry = KeywordStore::readEntryFile(entryFile);
    open(entry.target, entry.parameters);
}

void EnterDispatch::open(const QString &target, const QString &parameters)
{
    // What the shell cannot open is its own failure, not the line's: it is shown, and the
    // line is cleared as after any launch.
    guarded(m_parts.interaction, [&] { m_parts.shell.open(target, parameters); });
}
