#pragma once

#include <QString>
#include <QStringList>

// The parts of a freedesktop.org ".desktop" file that launching and icons need.
class DesktopEntry
{
public:
    // Reads the [Desktop Entry] group; a file that cannot be read gives an empty entry.
    static DesktopEntry read(const QString &path);

    static bool isDesktopFile(const QString &path);

    QString exec() const { return m_exec; }
    QString icon() const { return m_icon; }
    QString name() const { return m_name; }
    QString workingFolder() const { return m_path; }
    bool terminal() const { return m_terminal; }
    // Deleted for this user, or kept out of the menus.
    bool hidden() const { return m_hidden; }
    bool noDisplay() const { return m_noDisplay; }

    // Program and arguments of the Exec line, with the file and URL field codes given
    // `arguments` and the other codes replaced or dropped. Empty when there is no Exec.
    QStringList command(const QStringList &arguments) const;

private:
    QString m_file;
    QString m_exec;
    QString m_icon;
    QString m_name;
    QString m_path;
    bool m_terminal = false;
    bool m_hidden = false;
    bool m_noDisplay = false;
};
