#include "DesktopApplications.h"

#include "DesktopEntry.h"
#include "ShellWords.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <QStandardPaths>

#include <algorithm>
#include <system_error>

#include <pthread.h>

namespace {

// An XDG folder variable: absolute paths only, else the default.
QString xdgHome(const char *variable, const QString &fallback)
{
    const QString value = qEnvironmentVariable(variable);
    return QDir::isAbsolutePath(value) ? QDir::cleanPath(value) : fallback;
}

QStringList xdgDirs(const char *variable, const QStringList &fallback)
{
    QStringList dirs;
    for (const QString &dir : qEnvironmentVariable(variable).split(u':', Qt::SkipEmptyParts))
        if (QDir::isAbsolutePath(dir))
            dirs.append(QDir::cleanPath(dir));
    return dirs.isEmpty() ? fallback : dirs;
}

bool isFieldCode(const QString &word)
{
    return word.size() == 2 && word[0] == u'%';
}

// The values of a key in a group of an ini-like file, as its ";" separates them.
QStringList valuesIn(const QString &path, QStringView group, QStringView key)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    bool inGroup = false;
    while (!file.atEnd()) {
        const QString line = QString::fromUtf8(file.readLine()).trimmed();
        if (line.startsWith(u'[')) {
            inGroup = QStringView(line).mid(1, line.size() - 2) == group && line.endsWith(u']');
            continue;
        }
        const qsizetype eq = line.indexOf(u'=');
        if (inGroup && eq > 0 && QStringView(line).left(eq).trimmed() == key)
            return line.mid(eq + 1).split(u';', Qt::SkipEmptyParts);
    }
    return {};
}

} // namespace

DesktopApplications::Folders DesktopApplications::ofEnvironment()
{
    const QString home = QDir::homePath();
    const QString dataHome = xdgHome("XDG_DATA_HOME", home + QStringLiteral("/.local/share"));
    const QString configHome = xdgHome("XDG_CONFIG_HOME", home + QStringLiteral("/.config"));
    const QStringList dataDirs = xdgDirs(
        "XDG_DATA_DIRS", {QStringLiteral("/usr/local/share"), QStringLiteral("/usr/share")});
    const QStringList configDirs = xdgDirs("XDG_CONFIG_DIRS", {QStringLiteral("/etc/xdg")});
    const QStringList desktops =
        qEnvironmentVariable("XDG_CURRENT_DESKTOP").toLower().split(u':', Qt::SkipEmptyParts);

    Folders folders;
    for (const QString &data : QStringList{dataHome} + dataDirs)
        folders.applications.append(data + QStringLiteral("/applications"));
    // A desktop's own list before the common one, the user's before the system's.
    for (const QString &dir : QStringList{configHome} + configDirs + folders.applications) {
        for (const QString &desktop : desktops)
            folders.defaultLists.append(dir + u'/' + desktop + QStringLiteral("-mimeapps.list"));
        folders.defaultLists.append(dir + QStringLiteral("/mimeapps.list"));
    }
    for (const QString &dir : std::as_const(folders.applications))
        folders.defaultLists.append(dir + QStringLiteral("/mimeinfo.cache"));
    folders.searchPath = qEnvironmentVariable("PATH").split(u':', Qt::SkipEmptyParts);
    return folders;
}

DesktopApplications::DesktopApplications(Folders folders)
    : m_folders(std::move(folders))
{
}

DesktopApplications::~DesktopApplications()
{
    m_stopping = true;
    if (m_reader.joinable())
        m_reader.join();
}

void DesktopApplications::start()
{
    if (m_index || m_reader.joinable())
        return;
    try {
        m_reader = std::thread([this] {
            const sched_param idle{};
            pthread_setschedparam(pthread_self(), SCHED_IDLE, &idle);
            Index index = read(m_folders.applications, m_stopping);
            const std::lock_guard lock(m_readMutex);
            if (!m_stopping)
                m_read = std::move(index);
        });
    } catch (const std::system_error &) {
        // No thread to be had: read at the first question.
    }
}

const DesktopApplications::Index &DesktopApplications::index()
{
    if (m_index)
        return *m_index;
    {
        const std::lock_guard lock(m_readMutex);
        if (m_read)
            m_index = std::move(m_read);
        // Not done yet: read here and now rather than wait for idle time.
        m_stopping = true;
    }
    if (!m_index) {
        const std::atomic<bool> never = false;
        m_index = read(m_folders.applications, never);
    }
    return *m_index;
}

DesktopApplications::Index DesktopApplications::read(const QStringList &applications,
                                                     const std::atomic<bool> &stop)
{
    Index index;
    QSet<QString> seen;
    for (const QString &folder : applications) {
        QStringList files;
        // Told by their ends: a name filter would bring a regular expression engine into the
        // resident program.
        QDirIterator it(folder, QDir::Files,
                        QDirIterator::Subdirectories | QDirIterator::FollowSymlinks);
        while (it.hasNext()) {
            QString file = it.next();
            if (file.endsWith(QLatin1String(".desktop"), Qt::CaseInsensitive))
                files.append(std::move(file));
        }
        files.sort();
        for (const QString &file : std::as_const(files)) {
            if (stop)
                return index;
            // The same ID in a folder of less precedence is hidden by the first.
            const QString id = file.mid(folder.size() + 1).replace(u'/', u'-');
            if (seen.contains(id))
                continue;
            seen.insert(id);
            const DesktopEntry entry = DesktopEntry::read(file);
            if (entry.hidden())
                continue;
            index.iconById.insert(id, entry.icon());

            QStringList words = ShellWords::split(entry.exec());
            // "env NAME=value program" runs the program.
            if (!words.isEmpty() && words.first() == QStringLiteral("env")) {
                words.removeFirst();
                while (!words.isEmpty() && words.first().contains(u'='))
                    words.removeFirst();
            }
            if (words.isEmpty() || entry.icon().isEmpty())
                continue;
            const bool ownArguments =
                std::any_of(words.cbegin() + 1, words.cend(),
                            [](const QString &word) { return !isFieldCode(word); });
            const int rank = (entry.noDisplay() ? 2 : 0) + (ownArguments ? 1 : 0);
            index.runnersByName[QFileInfo(words.first()).fileName()].append(
                {words.first(), entry.icon(), rank});
        }
    }
    return index;
}

QString DesktopApplications::resolved(const QString &program) const
{
    if (QDir::isAbsolutePath(program))
        return program;
    if (program.contains(u'/'))
        return {};
    return QStandardPaths::findExecutable(program, m_folders.searchPath);
}

QString DesktopApplications::iconOfProgram(const QString &program)
{
    const Index &entries = index();
    const QFileInfo info(program);
    const QString canonical = info.canonicalFilePath();
    QStringList names{info.fileName()};
    if (const QString target = QFileInfo(canonical).fileName(); !names.contains(target))
        names.append(target);

    const Runner *best = nullptr;
    for (const QString &name : std::as_const(names)) {
        const auto found = entries.runnersByName.constFind(name);
        if (found == entries.runnersByName.cend())
            continue;
        for (const Runner &runner : *found) {
            if (best && best->rank <= runner.rank)
                continue;
            const QString path = resolved(runner.program);
            if (path.isEmpty())
                continue;
            if (path == program
                || (!canonical.isEmpty() && QFileInfo(path).canonicalFilePath() == canonical))
                best = &runner;
        }
    }
    return best ? best->icon : QString();
}

QString DesktopApplications::iconOfSchemeHandler(const QString &scheme)
{
    const QString key = scheme.toLower();
    const auto cached = m_handlerIcons.constFind(key);
    if (cached != m_handlerIcons.cend())
        return *cached;
    const Index &entries = index();
    QString icon;
    for (const QString &id : defaultsFor(QStringLiteral("x-scheme-handler/") + key)) {
        const auto found = entries.iconById.constFind(id);
        if (found != entries.iconById.cend()) {
            icon = *found;
            break;
        }
    }
    m_handlerIcons.insert(key, icon);
    return icon;
}

QStringList DesktopApplications::defaultsFor(const QString &mimeType) const
{
    QStringList ids;
    for (const QString &list : std::as_const(m_folders.defaultLists)) {
        const QStringView group = list.endsWith(QStringLiteral("mimeinfo.cache"))
                                      ? QStringView(u"MIME Cache")
                                      : QStringView(u"Default Applications");
        for (const QString &id : valuesIn(list, group, mimeType))
            ids.append(id.trimmed());
    }
    return ids;
}
