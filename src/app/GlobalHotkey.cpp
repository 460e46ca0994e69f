#include "GlobalHotkey.h"

#include "platform/Hotkeys.h"
#include "settings/ShortcutText.h"

GlobalHotkey::GlobalHotkey(Hotkeys &hotkeys)
    : m_hotkeys(hotkeys)
{
    hotkeys.setPressHandler([this](int id) { return press(id); });
}

GlobalHotkey::~GlobalHotkey()
{
    m_hotkeys.setPressHandler({});
}

void GlobalHotkey::setPressHandler(std::function<bool(int id)> handler)
{
    m_pressHandler = std::move(handler);
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

bool GlobalHotkey::press(int id) const
{
    return m_pressHandler && m_pressHandler(id);
}
