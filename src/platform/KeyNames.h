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
};
