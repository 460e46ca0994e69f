#pragma once

#include <QString>

#include <memory>
#include <optional>

class IniDocument;

// A profile ("ini") file by its path, with the four operations of the platform's profile
// functions. Nothing is kept between calls: each one opens the file, reads or writes, and
// closes it, so every write is on disk when the call returns.
class IniFile
{
public:
    // Longest value a read gives, in bytes of the code page (the readers' 2048-byte buffer).
    static constexpr int MaxValueBytes = 2047;

    explicit IniFile(QString path);

    const QString &path() const { return m_path; }

    // The file read once, as it stands now: reads from the copy give what reads from the
    // file would give at this moment, without opening it again. Only for reading.
    IniFile snapshot() const;

    // The stored value, or the default (without its trailing spaces) when the file, the
    // section or the key is missing or the file cannot be read. Either is cut to
    // MaxValueBytes, never inside a double-byte character.
    QString readString(QStringView section, QStringView key, QStringView defaultValue) const;

    // Stores the value, creating the file, section or key as needed and keeping every other
    // line. The file is replaced atomically; a refused write raises "<path> に書き込めません"
    // and leaves the old file whole.
    void writeString(QStringView section, QStringView key, QStringView value) const;

    // A stored integer other than 0 is true; a missing or non-numeric value gives the default.
    bool readBool(QStringView section, QStringView key, bool defaultValue) const;
    void writeBool(QStringView section, QStringView key, bool value) const;

    // A 32-bit integer as the profile readers take it: an optional sign, then decimal
    // digits, or hexadecimal digits after "$", "0x" or "0X". No value for anything else,
    // out-of-range numbers included.
    static std::optional<int> parseInteger(QStringView text);

    // The text cut to at most maxBytes bytes of the code page, at a character boundary.
    static QString cutToBytes(const QString &text, int maxBytes);

private:
    QString m_path;
    // The snapshot's contents; none for an unreadable file, nothing held for the file itself.
    std::shared_ptr<const std::optional<IniDocument>> m_held;
};
