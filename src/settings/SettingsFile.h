#pragma once

#include "IniFile.h"
#include "SettingsKeys.h"

class KeyNames;

// The program's settings file (the executable's path with ".ini", Paths::settingsFile()),
// read and written key by key through the keys table. It holds only the path: each call
// opens the file, reads or writes, and closes it again.
class SettingsFile
{
public:
    explicit SettingsFile(QString path);

    const QString &path() const { return m_ini.path(); }
    const IniFile &ini() const { return m_ini; }
    // The file read once: a run of reads from the copy opens it once (IniFile::snapshot).
    SettingsFile snapshot() const;

    bool read(const SettingsKeys::BoolKey &key) const;
    QString read(const SettingsKeys::StringKey &key) const;
    // For readers whose default differs from the table's (the main window's empty names).
    QString read(const SettingsKeys::StringKey &key, QStringView defaultValue) const;
    int read(const SettingsKeys::ShortcutKey &key, const KeyNames &keyNames) const;

    // A refused write raises "<path> に書き込めません"; the caller's later writes then do not
    // happen, since the error ends its handler.
    void write(const SettingsKeys::BoolKey &key, bool value) const;
    void write(const SettingsKeys::StringKey &key, QStringView value) const;
    void write(const SettingsKeys::ShortcutKey &key, int shortcut, const KeyNames &keyNames) const;

private:
    explicit SettingsFile(IniFile ini);

    IniFile m_ini;
};
