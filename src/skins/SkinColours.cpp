#include "SkinColours.h"

#include "base/Error.h"
#include "base/Messages.h"
#include "settings/IniFile.h"

#include <QPalette>

#include <array>

namespace SkinColours {

namespace {

struct NamedColour
{
    QStringView name;
    quint32 value;
};

constexpr quint32 system(quint32 index)
{
    return 0xFF000000 + index;
}

// Searched in this order, so that the first of equal values names it when written.
constexpr std::array<NamedColour, 52> Names{{
    {u"clBlack", 0x000000},
    {u"clMaroon", 0x000080},
    {u"clGreen", 0x008000},
    {u"clOlive", 0x008080},
    {u"clNavy", 0x800000},
    {u"clPurple", 0x800080},
    {u"clTeal", 0x808000},
    {u"clGray", 0x808080},
    {u"clSilver", 0xC0C0C0},
    {u"clRed", 0x0000FF},
    {u"clLime", 0x00FF00},
    {u"clYellow", 0x00FFFF},
    {u"clBlue", 0xFF0000},
    {u"clFuchsia", 0xFF00FF},
    {u"clAqua", 0xFFFF00},
    {u"clWhite", 0xFFFFFF},
    {u"clMoneyGreen", 0xC0DCC0},
    {u"clSkyBlue", 0xF0CAA6},
    {u"clCream", 0xF0FBFF},
    {u"clMedGray", 0xA4A0A0},
    {u"clActiveBorder", system(10)},
    {u"clActiveCaption", system(2)},
    {u"clAppWorkSpace", system(12)},
    {u"clBackground", system(1)},
    {u"clBtnFace", system(15)},
    {u"clBtnHighlight", system(20)},
    {u"clBtnShadow", system(16)},
    {u"clBtnText", system(18)},
    {u"clCaptionText", system(9)},
    {u"clDefault", Default},
    {u"clGradientActiveCaption", system(27)},
    {u"clGradientInactiveCaption", system(28)},
    {u"clGrayText", system(17)},
    {u"clHighlight", system(13)},
    {u"clHighlightText", system(14)},
    {u"clHotLight", system(26)},
    {u"clInactiveBorder", system(11)},
    {u"clInactiveCaption", system(3)},
    {u"clInactiveCaptionText", system(19)},
    {u"clInfoBk", system(24)},
    {u"clInfoText", system(23)},
    {u"clMenu", system(4)},
    {u"clMenuBar", system(30)},
    {u"clMenuHighlight", system(29)},
    {u"clMenuText", system(7)},
    {u"clNone", None},
    {u"clScrollBar", system(0)},
    {u"cl3DDkShadow", system(21)},
    {u"cl3DLight", system(22)},
    {u"clWindow", system(5)},
    {u"clWindowFrame", system(6)},
    {u"clWindowText", system(8)},
}};

struct SystemRole
{
    QPalette::ColorGroup group;
    QPalette::ColorRole role;
};

// The palette's role for each system colour of the table, by index: the inverse of the way
// Qt builds its palette from these colours on Windows, and the nearest role for the rest.
constexpr std::array<SystemRole, 31> SystemRoles{{
    {QPalette::Active, QPalette::Midlight},        // 0 scroll bar
    {QPalette::Active, QPalette::Dark},            // 1 desktop
    {QPalette::Active, QPalette::Highlight},       // 2 active caption
    {QPalette::Active, QPalette::Mid},             // 3 inactive caption
    {QPalette::Active, QPalette::Window},          // 4 menu
    {QPalette::Active, QPalette::Base},            // 5 window
    {QPalette::Active, QPalette::Shadow},          // 6 window frame
    {QPalette::Active, QPalette::WindowText},      // 7 menu text
    {QPalette::Active, QPalette::Text},            // 8 window text
    {QPalette::Active, QPalette::HighlightedText}, // 9 caption text
    {QPalette::Active, QPalette::Button},          // 10 active border
    {QPalette::Active, QPalette::Button},          // 11 inactive border
    {QPalette::Active, QPalette::Mid},             // 12 application workspace
    {QPalette::Active, QPalette::Highlight},       // 13 highlight
    {QPalette::Active, QPalette::HighlightedText}, // 14 highlighted text
    {QPalette::Active, QPalette::Button},          // 15 button face
    {QPalette::Active, QPalette::Dark},            // 16 button shadow
    {QPalette::Disabled, QPalette::Text},          // 17 grey text
    {QPalette::Active, QPalette::ButtonText},      // 18 button text
    {QPalette::Active, QPalette::WindowText},      // 19 inactive caption text
    {QPalette::Active, QPalette::Light},           // 20 button highlight
    {QPalette::Active, QPalette::Shadow},          // 21 3D dark shadow
    {QPalette::Active, QPalette::Midlight},        // 22 3D light
    {QPalette::Active, QPalette::ToolTipText},     // 23 info text
    {QPalette::Active, QPalette::ToolTipBase},     // 24 info background
    {QPalette::Active, QPalette::NoRole},          // 25 not a colour of the desktop
    {QPalette::Active, QPalette::Link},            // 26 hot-tracked item
    {QPalette::Active, QPalette::Highlight},       // 27 active caption gradient
    {QPalette::Active, QPalette::Mid},             // 28 inactive caption gradient
    {QPalette::Active, QPalette::Highlight},       // 29 menu highlight
    {QPalette::Active, QPalette::Window},          // 30 menu bar
}};

// Names compare without regard to the case of ASCII letters only: "clBlac\u212A" (Kelvin
// sign) is no colour name.
bool sameName(QStringView a, QStringView b)
{
    if (a.size() != b.size())
        return false;
    for (qsizetype i = 0; i < a.size(); ++i) {
        char16_t x = a[i].unicode(), y = b[i].unicode();
        if (x >= u'A' && x <= u'Z')
            x += u'a' - u'A';
        if (y >= u'A' && y <= u'Z')
            y += u'a' - u'A';
        if (x != y)
            return false;
    }
    return true;
}

} // namespace

QString toText(quint32 value)
{
    for (const NamedColour &colour : Names) {
        if (colour.value == value)
            return colour.name.toString();
    }
    return QStringLiteral("$%1").arg(value, 8, 16, QLatin1Char('0')).toUpper();
}

quint32 fromText(const QString &text)
{
    for (const NamedColour &colour : Names) {
        if (sameName(colour.name, text))
            return colour.value;
    }
    const std::optional<int> number = parseInteger(text);
    if (!number)
        throw Error(Messages::notAnInteger(text));
    return quint32(*number);
}

std::optional<int> parseInteger(QStringView text)
{
    while (text.startsWith(u' ') || text.startsWith(u'\t'))
        text = text.sliced(1);
    // The settings reader takes all but the bare "x" prefix, which reads as "$".
    const qsizetype sign = text.startsWith(u'-') || text.startsWith(u'+') ? 1 : 0;
    if (text.size() > sign && (text[sign] == u'x' || text[sign] == u'X')) {
        QString dollar = text.first(sign).toString();
        dollar += u'$';
        dollar += text.sliced(sign + 1);
        return IniFile::parseInteger(dollar);
    }
    return IniFile::parseInteger(text);
}

QColor toColor(quint32 value, const QPalette &palette)
{
    if (value == None || value == Default)
        return {};
    if (value & 0x80000000) {
        // Windows takes the low byte of any negative value as the system colour's index.
        const quint32 index = value & 0xFF;
        if (index >= SystemRoles.size() || SystemRoles[index].role == QPalette::NoRole)
            return {};
        return palette.color(SystemRoles[index].group, SystemRoles[index].role);
    }
    return QColor(int(value & 0xFF), int((value >> 8) & 0xFF), int((value >> 16) & 0xFF));
}

quint32 fromColor(const QColor &colour)
{
    return quint32(colour.red()) | quint32(colour.green()) << 8 | quint32(colour.blue()) << 16;
}

} // namespace SkinColours
