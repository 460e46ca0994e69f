#include "SettingsFile.h"

#include "ShortcutText.h"

#include <utility>

SettingsFile::SettingsFile(QString path)
    : m_ini(std::move(path))
{
}

SettingsFile::SettingsFile(IniFile ini)
    : m_ini(std::move(ini))
{
}

SettingsFile SettingsFile::snapshot() const
{
    return SettingsFile(m_ini.snapshot());
}

bool SettingsFile::read(const SettingsKeys::BoolKey &key) const
{
    return m_ini.readBool(key.section, key.key, key.defaultValue);
}

QString SettingsFile::read(const SettingsKeys::StringKey &key) const
{
    return read(key, key.defaultValue);
}

QString SettingsFile::read(const SettingsKeys::StringKey &key, QStringView defaultValue) const
{
    return m_ini.readString(key.section, key.key, defaultValue);
}

int SettingsFile::read(const SettingsKeys::ShortcutKey &key, const KeyNames &keyNames) const
{
    const ShortcutText text(keyNames);
    return text.fromText(m_ini.readString(key.section, key.key, text.toText(key.defaultValue)));
}

void SettingsFile::write(const SettingsKeys::BoolKey &key, bool value) const
{
    m_ini.writeBool(key.section, key.key, value);
}

void SettingsFile::write(const SettingsKeys::StringKey &key, QStringView value) const
{
    m_ini.writeString(key.section, key.key, value);
}

void SettingsFile::write(const SettingsKeys::ShortcutKey &key, int shortcut,
                         const KeyNames &keyNames) const
{
    m_ini.writeString(key.section, key.key, ShortcutText(keyNames).toText(shortcut));
}
