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

// The fallbacks where nothing completes literally: a keyword reached by its reading (kana,
// width, romaji), then an installed application. The settings dialog writes each only once
// the user changed it.
inline constexpr BoolKey Readings{SettingSection, u"Readings", true};
inline constexpr BoolKey Applications{SettingSection, u"Applications", true};

// The special items: whether each is registered, and its keyword, named in C++ as the
// SpecialItem values are (the key strings are the file's and stay). The defaults of the
// names are the special items dialog's; the main window reads the stored names of my
// computer, my documents and the recycle bin with an empty default instead, so that no
// keyword counts as special before that dialog has been confirmed once.
inline constexpr BoolKey MyComputer{SettingSection, u"MyCom", false};
inline constexpr BoolKey MyDocuments{SettingSection, u"Mydoc", false};
inline constexpr BoolKey RecycleBin{SettingSection, u"DustBox", false};
inline constexpr BoolKey Shutdown{SettingSection, u"Shutdown", false};
inline constexpr BoolKey Reboot{SettingSection, u"ReBoot", false};
inline constexpr StringKey MyComputerName{SettingSection, u"MyComName", u"mycomputer"};
inline constexpr StringKey MyDocumentsName{SettingSection, u"MydocName", u"mydocument"};
inline constexpr StringKey RecycleBinName{SettingSection, u"DustBoxName", u"dustbox"};
inline constexpr StringKey ShutdownName{SettingSection, u"ShutdownName", u"shutdown"};
inline constexpr StringKey RebootName{SettingSection, u"ReBootName", u"reboot"};

struct SpecialItemKeys
{
    BoolKey registered;
    StringKey name;
};

// In the order of the SpecialItem values, which is the order they are read and written in.
inline constexpr std::array<SpecialItemKeys, 5> SpecialItems{{
    {MyComputer, MyComputerName},
    {MyDocuments, MyDocumentsName},
    {RecycleBin, RecycleBinName},
    {Shutdown, ShutdownName},
    {Reboot, RebootName},
}};

// The skin in use. "defaul" is no typo to mend: it matches no skin folder, so a first
// start keeps the built-in look.
inline constexpr BoolKey DefaultSkin{WindowSection, u"DefaultSkin", true};
inline constexpr StringKey SelectedSkinName{WindowSection, u"SelectedSkinName", u"defaul"};

} // namespace SettingsKeys
