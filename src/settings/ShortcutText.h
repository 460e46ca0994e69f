#pragma once

#include <QString>

class KeyNames;

// A key combination as a 16-bit shortcut value (virtual key in bits 0 to 12, and Shift,
// Ctrl, Alt bits) and as the text the settings file stores, such as "Shift+Ctrl+F5".
class ShortcutText
{
public:
    enum Bits : int {
        KeyMask = 0x1FFF,
        Shift = 0x2000,
        Ctrl = 0x4000,
        Alt = 0x8000,
    };

    explicit ShortcutText(const KeyNames &keyNames);

    // Empty for 0 and for a key without a name.
    QString toText(int shortcut) const;

    // Modifier prefixes in any order and case ("^" also stands for Ctrl), then a key name
    // in any case; the lowest key code of that name wins, so number-pad digits come back
    // as the main digits. 0 when no key matches.
    int fromText(QStringView text) const;

    // The name of a key code: a fixed one, else the keyboard layout's.
    QString keyName(int vk) const;

    // The fixed names of the common keys, the same on every layout; empty for the others.
    static QString fixedName(int vk);

private:
    const KeyNames &m_keyNames;
};
