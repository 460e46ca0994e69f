#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

// The bytes of one profile ("ini") file in code page 932, read and changed by the rules of
// the Windows profile functions:
// - CR LF, CR and LF end lines; blanks (space, tab, vertical tab, form feed) around section
//   names, keys and values do not count; a line starting with ";" is a comment;
// - "[name]" starts a section (text after "]" is ignored, a missing "]" runs to the line's
//   end); an entry is "key=value", split at the first "="; lines before the first section
//   belong to none;
// - names match without regard to case; the first section of a name and the first entry
//   of a key in it win; a value quoted with " or ' at both ends loses that one pair.
// Each line is decoded before it is parsed: second bytes of double-byte characters include
// "[", "\" and "]".
class IniDocument
{
public:
    explicit IniDocument(QByteArray bytes = {});

    // The value of the key; no value when the section or the key is missing.
    std::optional<QString> value(QStringView section, QStringView key) const;

    // Replaces the value of an existing entry in place, or adds the entry after the last
    // non-blank line of the section, or adds the section at the end. Every other byte stays
    // as it was. Spaces around the names are dropped; the value is written as given, up to
    // its first line break, which would otherwise start a line of its own. Text the code
    // page cannot hold raises an Error before anything changes.
    void setValue(QStringView section, QStringView key, QStringView value);

    const QByteArray &bytes() const { return m_bytes; }

private:
    QByteArray m_bytes;
};
