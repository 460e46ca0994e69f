#pragma once

#include <QString>
#include <QtGlobal>

// One skin.ini, read key by key from its section "Skin" by the settings file's rules (names
// in any case, values trimmed and cut to IniFile::MaxValueBytes); a missing file, section or
// key gives the reader's default. The key names are in SkinKeys.
class SkinIni
{
public:
    explicit SkinIni(QString path);

    const QString &path() const { return m_path; }

    QString readText(QStringView key, QStringView defaultValue) const;

    // "0x" or "0X" at the start of a text longer than two characters reads as "$", then the
    // text converts by SkinColours::parseInteger; empty or unconvertible text gives the
    // default, silently.
    int readInteger(QStringView key, int defaultValue) const;

    // readText() with the default text, then SkinColours::fromText(), which raises for text
    // that is neither a colour name nor an integer.
    quint32 readColour(QStringView key, QStringView defaultText) const;

    // What a skin editor writes: positions and widths in the bitmap's pixels (negative when
    // left of or above it), colours as SkinColours values.
    struct Values
    {
        QString skinName;
        int iconTop, iconLeft, listTop, listLeft, listWidth;
        quint32 listBColor, listTColor;
        int explanationTop, explanationLeft, explanationWidth;
        quint32 explanationTextColor, transparentColor;
    };

    // The whole file anew: the section, each key after a comment line that says what it is,
    // 27 lines in Shift-JIS, each ended by CR LF. The file is replaced atomically; a failure
    // (a missing folder, a full disk, a name the code page cannot hold or with a line break
    // in it) raises Error and leaves the old file whole.
    static void write(const QString &path, const Values &values);

private:
    QString m_path;
};
