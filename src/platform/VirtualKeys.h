#pragma once

#include <cstdint>

// Windows virtual-key codes, in which the program and its settings name keys, and their
// counterparts among Qt keys and X keysyms.
namespace VirtualKeys {

enum Code : int {
    Back = 0x08,
    Tab = 0x09,
    Return = 0x0D,
    Shift = 0x10,
    Control = 0x11,
    Menu = 0x12,
    Escape = 0x1B,
    Space = 0x20,
    Left = 0x25,
    Up = 0x26,
    Right = 0x27,
    Down = 0x28,
    Numpad0 = 0x60,
    Divide = 0x6F,
    F1 = 0x70,
    OemSlash = 0xBF,     // the key that types "/" on the common layouts
    OemBackslash = 0xE2, // the extra key of Japanese and European keyboards
};

struct Key
{
    int vk;
    int qtKey;
    bool keypad;
    uint32_t keysym;
};

// The virtual key of a Qt key event; 0 when the key has none.
int fromQtKey(int qtKey, bool keypad);

// The virtual key of a key of the keyboard by the symbols on its first two levels, as
// keyboards name their keys: the unshifted symbol, but a digit or one of "+,-." wherever it
// is on the key (X NoSymbol is 0). 0 when the key has none.
int fromKeysyms(uint32_t unshifted, uint32_t shifted);

// The table entry of a virtual key, or nullptr.
const Key *find(int vk);

} // namespace VirtualKeys
