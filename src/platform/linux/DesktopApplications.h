#pragma once

#include <QHash>
#include <QList>
#include <QStringList>

#include <atomic>
#include <thread>

// The applications the desktop knows by their desktop entries: which entry runs a program,
// and which one opens addresses of a scheme by default. The entries are read once (a few
// hundred small files, tens of milliseconds) into an index, on a thread of idle priority from
// start() or else at the first question; every question is then a hash lookup and a few path
// resolutions.
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
    // keystroke that first shows a program's icon does not wait for them.
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

    void ensureIndex();
    void buildIndex();
    QString resolved(const QString &program) const;
    // The applications named for the MIME type by the default lists, in order.
    QStringList defaultsFor(const QString &mimeType) const;

    Folders m_folders;
    std::thread m_builder;
    std::atomic<bool> m_stopping = false;
    // Written by the builder only; read by the main thread only after joining it.
    bool m_indexed = false;
    QHash<QString, QString> m_iconById;            // by desktop file ID
    QHash<QString, QList<Runner>> m_runnersByName; // by the program's file name
    QHash<QString, QString> m_handlerIcons;        // by scheme
};
