#pragma once

#include <QColor>
#include <QString>
#include <QtGlobal>

#include <optional>

class QPalette;

// Colours as skin.ini stores them, and their text there.
namespace SkinColours {

// Colour values as skin.ini stores them: 0x00BBGGRR for RGB colours, 0xFF000000 + n for the
// desktop's system colour n (the Windows COLOR_ numbering), and two special values.
constexpr quint32 None = 0x1FFFFFFF;
constexpr quint32 Default = 0x20000000;
constexpr quint32 Black = 0x000000, White = 0xFFFFFF;
constexpr quint32 Window = 0xFF000005, WindowText = 0xFF000008;

// The name of the value in the colour name table ("clWhite"), the first of equal values;
// otherwise "$" and eight upper-case hexadecimal digits.
QString toText(quint32 value);

// A name of the table in any letter case, or an integer by parseInteger(); anything else
// raises Error("'<text>' は整数ではありません").
quint32 fromText(const QString &text);

// A 32-bit integer as the colour texts and skin.ini's integer keys are read: leading blanks,
// an optional sign, then decimal digits, or hexadecimal digits after "$", "0x", "0X", "x" or
// "X". Decimal stays within int's range, hexadecimal covers 32 bits ($FFFFFFFF is -1). No
// value for any other text.
std::optional<int> parseInteger(QStringView text);

// The colour to paint with: an RGB colour as it is; a system colour from the palette's role
// for that element of the desktop; None, Default and system colours the table does not name
// give an invalid colour, which leaves a widget its own.
QColor toColor(quint32 value, const QPalette &palette);

// An RGB colour as skin.ini stores it (0x00BBGGRR).
quint32 fromColor(const QColor &colour);

} // namespace SkinColours
