#include "Summoner.h"

#include "base/Guard.h"
#include "platform/Hotkeys.h"
#include "settings/Settings.h"

#include <QEvent>
#include <QWindow>

Summoner::Summoner(Hotkeys &hotkeys, Settings &settings, Interaction &interaction, QObject *parent)
    : QObject(parent)
    , m_hotkeys(hotkeys)
    , m_settings(settings)
    , m_interaction(interaction)
    , m_globalHotkey(hotkeys)
{
    m_globalHotkey.setPressHandler([this](int) { return onPress(); });
    hotkeys.setBoundHandler([this](int, const QString &trigger) { emit boundByDesktop(trigger); });
    hotkeys.setNoShortcutsHandler([this](int) { emit desktopBindsNoHotkeys(); });
    connect(&settings, &Settings::useHotkeyChanged, this, &Summoner::useHotkey);
    connect(&settings, &Settings::hotkeyApplied, this, &Summoner::applyHotkey);
}

Summoner::~Summoner()
{
    // The grab ends with the program, not with whatever the desktop does after it.
    m_globalHotkey.unregisterHotkey(HotkeyId);
    m_hotkeys.setBoundHandler({});
    m_hotkeys.setNoShortcutsHandler({});
}

void Summoner::setTarget(std::function<void(bool atPointer)> summon, QWindow &window)
{
    m_summon = std::move(summon);
    m_window = &window;
}

void Summoner::start()
{
    if (m_settings.useHotkey())
        m_globalHotkey.registerHotkey(HotkeyId, m_settings.hotkey());
}

void Summoner::useHotkey(bool use)
{
    // A hotkey switched off is released, so that other programs get the combination back.
    if (use)
        m_globalHotkey.reregister(HotkeyId, m_settings.hotkey());
    else
        m_globalHotkey.unregisterHotkey(HotkeyId);
}

void Summoner::applyHotkey(int shortcut)
{
    if (m_settings.useHotkey())
        m_globalHotkey.reregister(HotkeyId, shortcut);
}

bool Summoner::onPress()
{
    // A press on its way while the hotkey was switched off brings nothing forward.
    if (!m_summon || !m_window || !m_settings.useHotkey())
        return false;
    guarded(m_interaction, [&] { m_summon(m_settings.appearAtPointer()); });
    activateWhenExposed();
    return true;
}

// A window manager knows a window only once it has mapped it; the toolkit says it is on the
// screen later still.
void Summoner::activateWhenExposed()
{
    if (m_window->isExposed())
        m_hotkeys.activate(*m_window);
    else
        m_window->installEventFilter(this);
}

bool Summoner::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Expose && watched == m_window && m_window->isExposed()) {
        m_window->removeEventFilter(this);
        m_hotkeys.activate(*m_window);
    }
    return QObject::eventFilter(watched, event);
}
