#pragma once

#include <QStringView>

#include <array>

// Every key of the settings file, with its section and the default its readers apply; the
// rest of the program names keys only through this table.
namespace SettingsKeys {

struct BoolKey
{
    QStringView section;
    QStringView key;
    bool defaultValue;
};

struct StringKey
{
    QStringView section;
    QStringView key;
    QStringView defaultValue;
};

// A shortcut value stored as shortcut text; 0 is no shortcut.
struct ShortcutKey
{
    QStringView section;
    QStringView key;
    int defaultValue;
};

inline constexpr QStringView SettingSection = u"Setting";
inline constexpr QStringView HotkeySection = u"hotkey";
inline constexpr QStringView WindowSection = u"Window";

// Absent means no hotkey: a first start grabs no key of the user's desktop until one is chosen.
inline constexpr ShortcutKey Hotkey{HotkeySection, u"key", 0};

// The switches of the settings dialog.
inline constexpr BoolKey MousePoint{SettingSection, u"MousePoint", true};
inline constexpr BoolKey HookHotKey{SettingSection, u"HookHotKey", true};
inline constexpr BoolKey TimeStamp{SettingSection, u"TimeStamp", true};
inline constexpr BoolKey StayOnTop{SettingSection, u"StayOnTop", false};

// The special items: whether each is registered, and its keyword. The defaults of the
// names are the special items dialog's; the main window reads MyComName, MydocName and
// DustBoxName with an empty default instead, so that no keyword counts as special before
// that dialog has been confirmed once.
inline constexpr BoolKey MyCom{SettingSection, u"MyCom", false};
inline constexpr BoolKey Mydoc{SettingSection, u"Mydoc", false};
inline constexpr BoolKey DustBox{SettingSection, u"DustBox", false};
inline constexpr BoolKey Shutdown{SettingSection, u"Shutdown", false};
inline constexpr BoolKey ReBoot{SettingSection, u"ReBoot", false};
inline constexpr StringKey MyComName{SettingSection, u"MyComName", u"mycomputer"};
inline constexpr StringKey MydocName{SettingSection, u"MydocName", u"mydocument"};
inline constexpr StringKey DustBoxName{SettingSection, u"DustBoxName", u"dustbox"};
inline constexpr StringKey ShutdownName{SettingSection, u"ShutdownName", u"shutdown"};
inline constexpr StringKey ReBootName{SettingSection, u"ReBootName", u"reboot"};

struct SpecialItem
{
    BoolKey registered;
    StringKey name;
};

// In the order in which the special items dialog reads and writes them.
inline constexpr std::array<SpecialItem, 5> SpecialItems{{
    {MyCom, MyComName},
    {Mydoc, MydocName},
    {DustBox, DustBoxName},
    {Shutdown, ShutdownName},
    {ReBoot, ReBootName},
}};

// The skin in use. "defaul" is no typo to mend: it matches no skin folder, so a first
// start keeps the built-in look.
inline constexpr BoolKey DefaultSkin{WindowSection, u"DefaultSkin", true};
inline constexpr StringKey SelectedSkinName{WindowSection, u"SelectedSkinName", u"defaul"};

} // namespace SettingsKeys
