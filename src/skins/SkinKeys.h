#pragma once

#include <QStringView>

// The keys of skin.ini, all in its one section, and the values the main window takes for
// keys that are missing. The skin editor reads the same keys with defaults of its own; the
// transparent colour's default is always the caller's (the editor's colour of the moment).
namespace SkinKeys {

inline constexpr QStringView Section = u"Skin";

inline constexpr QStringView SkinName = u"SkinName"; // the bitmap's file name in the skin folder
inline constexpr QStringView IconTop = u"IconTop";
inline constexpr QStringView IconLeft = u"IconLeft";
inline constexpr QStringView ListTop = u"ListTop";
inline constexpr QStringView ListLeft = u"ListLeft";
inline constexpr QStringView ListWidth = u"ListWidth";
inline constexpr QStringView ListBColor = u"ListBColor"; // the input line's background
inline constexpr QStringView ListTColor = u"ListTColor"; // the input line's text
inline constexpr QStringView ExplanationTop = u"ExplanationTop";
inline constexpr QStringView ExplanationLeft = u"ExplanationLeft";
inline constexpr QStringView ExplanationWidth = u"ExplanationWidth";
inline constexpr QStringView ExplanationTextColor = u"ExplanationTextColor";
inline constexpr QStringView TransparentColor = u"TransparentColor";

// The main window's defaults. "NoName" names no bitmap: a skin folder without skin.ini
// fails when its picture is loaded.
namespace MainDefaults {
inline constexpr QStringView SkinName = u"NoName";
inline constexpr int IconTop = 0;
inline constexpr int IconLeft = 205;
inline constexpr int ListTop = 0;
inline constexpr int ListLeft = 0;
inline constexpr int ListWidth = 153;
inline constexpr QStringView ListBColor = u"clWindow";
inline constexpr QStringView ListTColor = u"clWindowText";
inline constexpr int ExplanationTop = 26;
inline constexpr int ExplanationLeft = 8;
inline constexpr int ExplanationWidth = 153;
inline constexpr QStringView ExplanationTextColor = u"clWindowText";
} // namespace MainDefaults

} // namespace SkinKeys
