#include "GlobalHotkey.h"

#include "settings/ShortcutText.h"

#include "platform/Hotkeys.h"

#include <QMetaMethod>
#include <QWidget>

GlobalHotkey::GlobalHotkey(Hotkeys &hotkeys, QObject *parent)
    : QObject(parent)
    , m_hotkeys(hotkeys)
{
    hotkeys.setPressHandler([this](int id) { press(id); });
}

GlobalHotkey::Combination GlobalHotkey::combination(int shortcut)
{
    int modifiers = 0;
    if (shortcut & ShortcutText::Alt)
        modifiers |= Hotkeys::Alt;
    if (shortcut & ShortcutText::Ctrl)
        modifiers |= Hotkeys::Control;
    if (shortcut & ShortcutText::Shift)
        modifiers |= Hotkeys::Shift;
    return {shortcut & ShortcutText::KeyMask, modifiers};
}

bool GlobalHotkey::registerHotkey(int id, int shortcut)
{
    const Combination keys = combination(shortcut);
    return m_hotkeys.grab(id, keys.virtualKey, keys.modifiers);
}

bool GlobalHotkey::unregisterHotkey(int id)
{
    return m_hotkeys.release(id);
}

bool GlobalHotkey::reregister(int id, int shortcut)
{
    const bool unregistered = unregisterHotkey(id);
    return registerHotkey(id, shortcut) && unregistered;
}

GlobalHotkey::~GlobalHotkey()
{
    m_hotkeys.setPressHandler({});
}

void GlobalHotkey::press(int id)
{
    // Nobody listening: the press is not even brought to the foreground.
    if (!isSignalConnected(QMetaMethod::fromSignal(&GlobalHotkey::hotkey)))
        return;
    if (m_activate && m_owner && m_owner->windowHandle())
        m_hotkeys.takeFocus(*m_owner->windowHandle());
    emit hotkey(id);
}
