#pragma once

#include <QString>

// The names the keyboard layout gives its keys, by Windows virtual-key code: the shortcut
// text of the settings file uses them for every key it has no fixed name for.
class KeyNames
{
public:
    virtual ~KeyNames();

    // Empty when the layout has no name for the key (or no such key).
    virtual QString name(int vk) const = 0;

    // The virtual key of the key pressed, by the key's native scan code: the same whatever
    // modifiers are held (Shift+1 is the key 1). 0 when the layout cannot be read here.
    virtual int virtualKey(quint32 nativeScanCode) const = 0;
};
