#pragma once

#include <QHash>
#include <QList>
#include <QStringList>

#include <atomic>
#include <mutex>
#include <optional>
#include <thread>

// The applications the desktop knows by their desktop entries: which entry runs a program,
// and which one opens addresses of a scheme by default. The entries are read once (a few
// hundred small files, tens of milliseconds) into an index, on a thread of idle priority from
// start(), or at the first question that comes before that thread is done; every question is
// then a hash lookup and a few path resolutions.
class DesktopApplications
{
public:
    // Where to look, in order of precedence.
    struct Folders
    {
        QStringList applications; // the "applications" folders of the XDG data folders
        QStringList defaultLists; // the mimeapps.list files, then the mimeinfo.cache ones
        QStringList searchPath;   // where bare program names are found (PATH)
    };

    // The folders the environment names: XDG_DATA_HOME, XDG_DATA_DIRS, XDG_CONFIG_HOME,
    // XDG_CONFIG_DIRS, XDG_CURRENT_DESKTOP and PATH, with their defaults.
    static Folders ofEnvironment();

    explicit DesktopApplications(Folders folders);
    ~DesktopApplications();
    DesktopApplications(const DesktopApplications &) = delete;
    DesktopApplications &operator=(const DesktopApplications &) = delete;

    // Reads the entries on a thread of their own, on time no one else wants, so that the
    // keystroke that first shows a program's icon finds them read. That thread is never waited
    // for: on a busy machine idle time may not come for seconds.
    void start();

    // The Icon of the entry whose Exec runs the program at this absolute path (through a link
    // too); empty when no entry runs it. Entries shown in menus and without arguments of their
    // own come first.
    QString iconOfProgram(const QString &program);
    // The Icon of the application that opens addresses of the scheme ("http") by default;
    // empty when none is named or installed.
    QString iconOfSchemeHandler(const QString &scheme);

private:
    struct Runner
    {
        QString program; // as the Exec line names it: a path or a bare name
        QString icon;
        int rank = 0; // lower first
    };

    struct Index
    {
        QHash<QString, QString> iconById;            // by desktop file ID
        QHash<QString, QList<Runner>> runnersByName; // by the program's file name
    };

    // Reads the entries of the folders; stops early, with part of them, when told to.
    static Index read(const QStringList &applications, const std::atomic<bool> &stop);
    const Index &index();
    QString resolved(const QString &program) const;
    // The applications named for the MIME type by the default lists, in order.
    QStringList defaultsFor(const QString &mimeType) const;

    Folders m_folders;
    std::optional<Index> m_index;
    QHash<QString, QString> m_handlerIcons; // by scheme

    // The reading thread hands its index over through m_read, unless it was told to stop.
    std::thread m_reader;
    std::atomic<bool> m_stopping = false;
    std::mutex m_readMutex;
    std::optional<Index> m_read;
};
