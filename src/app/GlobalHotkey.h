#pragma once

#include <functional>

class Hotkeys;

// System-wide key combinations, each under an identifier of the caller's, reported to the
// press handler whichever program has the keyboard focus. Combinations are given as 16-bit
// shortcut codes (virtual key in bits 0 to 12, Shift 0x2000, Ctrl 0x4000, Alt 0x8000).
class GlobalHotkey
{
public:
    explicit GlobalHotkey(Hotkeys &hotkeys);
    ~GlobalHotkey();
    GlobalHotkey(const GlobalHotkey &) = delete;
    GlobalHotkey &operator=(const GlobalHotkey &) = delete;

    // Each press, with its identifier; the handler answers whether a window is to take the
    // keyboard focus for it (see Hotkeys). Without a handler a press does nothing.
    void setPressHandler(std::function<bool(int id)> handler);

    // False when the combination cannot be had (taken by another program, no such key) or
    // the identifier is registered already.
    bool registerHotkey(int id, int shortcut);
    // False when nothing was registered under the identifier.
    bool unregisterHotkey(int id);
    // Unregisters, then registers whatever came of that; true only when both succeeded.
    bool reregister(int id, int shortcut);

    // A shortcut code as the key and the modifier flags of a registration (the Windows key
    // is never among them).
    struct Combination
    {
        int virtualKey;
        int modifiers;
        bool operator==(const Combination &) const = default;
    };
    static Combination combination(int shortcut);

private:
    bool press(int id) const;

    Hotkeys &m_hotkeys;
    std::function<bool(int id)> m_pressHandler;
};
