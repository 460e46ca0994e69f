#include "VirtualKeys.h"

#include <Qt>

#include <vector>

namespace VirtualKeys {

namespace {

std::vector<Key> buildTable()
{
    std::vector<Key> t = {
        {Back, Qt::Key_Backspace, false, 0xff08},
        {Tab, Qt::Key_Tab, false, 0xff09},
        {Return, Qt::Key_Return, false, 0xff0d},
        {Return, Qt::Key_Enter, true, 0xff8d},
        {Shift, Qt::Key_Shift, false, 0xffe1},
        {Control, Qt::Key_Control, false, 0xffe3},
        {Menu, Qt::Key_Alt, false, 0xffe9},
        {0x13, Qt::Key_Pause, false, 0xff13},
        {0x14, Qt::Key_CapsLock, false, 0xffe5},
        {Escape, Qt::Key_Escape, false, 0xff1b},
        {0x1C, Qt::Key_Henkan, false, 0xff23}, // the conversion keys of Japanese keyboards
        {0x1D, Qt::Key_Muhenkan, false, 0xff22},
        {Space, Qt::Key_Space, false, 0x20},
        {0x21, Qt::Key_PageUp, false, 0xff55},
        {0x22, Qt::Key_PageDown, false, 0xff56},
        {0x23, Qt::Key_End, false, 0xff57},
        {0x24, Qt::Key_Home, false, 0xff50},
        {Left, Qt::Key_Left, false, 0xff51},
        {Up, Qt::Key_Up, false, 0xff52},
        {Right, Qt::Key_Right, false, 0xff53},
        {Down, Qt::Key_Down, false, 0xff54},
        {0x2C, Qt::Key_Print, false, 0xff61},
        {0x2D, Qt::Key_Insert, false, 0xff63},
        {0x2E, Qt::Key_Delete, false, 0xffff},
        {0x5B, Qt::Key_Super_L, false, 0xffeb},
        {0x5C, Qt::Key_Super_R, false, 0xffec},
        {0x5D, Qt::Key_Menu, false, 0xff67},
        {0x6A, Qt::Key_Asterisk, true, 0xffaa},
        {0x6B, Qt::Key_Plus, true, 0xffab},
        {0x6C, Qt::Key_Comma, true, 0xffac},
        {0x6D, Qt::Key_Minus, true, 0xffad},
        {0x6E, Qt::Key_Period, true, 0xffae},
        {Divide, Qt::Key_Slash, true, 0xffaf},
        {0x90, Qt::Key_NumLock, false, 0xff7f},
        {0x91, Qt::Key_ScrollLock, false, 0xff14},
        {0xAD, Qt::Key_VolumeMute, false, 0x1008ff12},
        {0xAE, Qt::Key_VolumeDown, false, 0x1008ff11},
        {0xAF, Qt::Key_VolumeUp, false, 0x1008ff13},
        {0xB0, Qt::Key_MediaNext, false, 0x1008ff17},
        {0xB1, Qt::Key_MediaPrevious, false, 0x1008ff16},
        {0xB2, Qt::Key_MediaStop, false, 0x1008ff15},
        {0xB3, Qt::Key_MediaPlay, false, 0x1008ff14},
        {0xBA, Qt::Key_Semicolon, false, 0x3b},
        {0xBA, Qt::Key_Colon, false, 0x3a},
        {0xBB, Qt::Key_Equal, false, 0x3d},
        {0xBB, Qt::Key_Plus, false, 0x2b},
        {0xBC, Qt::Key_Comma, false, 0x2c},
        {0xBD, Qt::Key_Minus, false, 0x2d},
        {0xBE, Qt::Key_Period, false, 0x2e},
        {OemSlash, Qt::Key_Slash, false, 0x2f},
        {OemSlash, Qt::Key_Question, false, 0x3f},
        {0xC0, Qt::Key_QuoteLeft, false, 0x60},
        {0xC0, Qt::Key_At, false, 0x40},
        {0xDB, Qt::Key_BracketLeft, false, 0x5b},
        {0xDC, Qt::Key_Backslash, false, 0x5c},
        {0xDD, Qt::Key_BracketRight, false, 0x5d},
        {0xDE, Qt::Key_Apostrophe, false, 0x27},
        {0xDE, Qt::Key_AsciiCircum, false, 0x5e}, // "^" beside "-" on Japanese keyboards
        {0xDC, Qt::Key_yen, false, 0xa5},
        {OemBackslash, Qt::Key_Underscore, false, 0x5f}, // "\ _" (ろ) on Japanese keyboards
        {OemBackslash, Qt::Key_Less, false, 0x3c},       // "< >" beside left Shift elsewhere
        {0xF0, Qt::Key_Eisu_toggle, false, 0xff30},      // 英数 (Caps Lock)
        {0xF2, Qt::Key_Hiragana_Katakana, false, 0xff27},
        {0xF3, Qt::Key_Zenkaku_Hankaku, false, 0xff2a},
    };
    for (int i = 0; i <= 9; ++i) {
        t.push_back({0x30 + i, Qt::Key_0 + i, false, uint32_t(0x30 + i)});
        t.push_back({Numpad0 + i, Qt::Key_0 + i, true, uint32_t(0xffb0 + i)});
    }
    for (int i = 0; i < 26; ++i)
        t.push_back({0x41 + i, Qt::Key_A + i, false, uint32_t(0x61 + i)});
    for (int i = 0; i < 24; ++i)
        t.push_back({F1 + i, Qt::Key_F1 + i, false, uint32_t(0xffbe + i)});
    return t;
}

const std::vector<Key> &table()
{
    static const std::vector<Key> t = buildTable();
    return t;
}

} // namespace

int fromQtKey(int qtKey, bool keypad)
{
    for (const Key &k : table())
        if (k.qtKey == qtKey && k.keypad == keypad)
            return k.vk;
    // Keys of the keypad that have no keypad code of their own.
    if (keypad)
        for (const Key &k : table())
            if (k.qtKey == qtKey)
                return k.vk;
    return 0;
}

int fromKeysym(uint32_t keysym)
{
    for (const Key &k : table())
        if (k.keysym == keysym)
            return k.vk;
    return 0;
}

int fromKeysyms(uint32_t unshifted, uint32_t shifted)
{
    const auto isDigit = [](uint32_t keysym) {
        return keysym >= '0' && keysym <= '9';
    };
    // The number pad's digits and decimal sign are on its second level, behind Num Lock.
    if (unshifted >= 0xff95 && unshifted <= 0xff9f
        && ((shifted >= 0xffb0 && shifted <= 0xffb9) || shifted == 0xffae || shifted == 0xffac))
        return fromKeysym(shifted);
    if (isDigit(unshifted) || (unshifted >= 'a' && unshifted <= 'z'))
        return fromKeysym(unshifted);
    if (isDigit(shifted)) // the digit row of layouts that type signs unshifted
        return fromKeysym(shifted);
    // These four are named after a sign on the key, whichever level it is on: ";+" is the
    // plus key of a Japanese keyboard, "=+" that of an American one.
    for (const uint32_t sign : {'+', ',', '-', '.'})
        if (unshifted == sign || shifted == sign)
            return fromKeysym(sign);
    if (unshifted == '\\' && shifted == '_')
        return OemBackslash;
    return fromKeysym(unshifted);
}

const Key *find(int vk)
{
    for (const Key &k : table())
        if (k.vk == vk)
            return &k;
    return nullptr;
}

} // namespace VirtualKeys
