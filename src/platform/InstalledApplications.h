#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <atomic>

// An application as the desktop's menu lists it, with what it is found by.
struct InstalledApplication
{
    QString file;        // its desktop entry, by which it is launched and its icon found
    QString name;        // the localised Name
    QString comment;     // the localised Comment
    QString genericName; // the localised GenericName
    QStringList keywords;
    QString program; // the file name of the program its Exec runs

    bool operator==(const InstalledApplication &) const = default;
};

// The applications installed on the desktop (its desktop entries), read as its own menu reads
// them, and launched as it launches them.
class InstalledApplications
{
public:
    virtual ~InstalledApplications();

    // The folders whose change adds or removes applications, in order of precedence.
    virtual QStringList folders() const = 0;
    // Every application the menu shows, the first entry of a desktop file ID standing for it;
    // an entry that cannot be read is left out. Safe on any thread: it takes seconds at worst,
    // and ends soon after `stop` is set (with what it has, or nothing).
    virtual QList<InstalledApplication> read(const std::atomic<bool> &stop) const = 0;
    // Starts the application of this desktop entry; raises an Error that names it and says
    // why when it cannot be started.
    virtual void launch(const QString &file) = 0;
};
