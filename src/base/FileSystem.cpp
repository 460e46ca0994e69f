#include "FileSystem.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>

#include <cerrno>
#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

namespace FileSystem {

namespace {

bool statOf(const QString &path, struct stat &st)
{
    return ::stat(QFile::encodeName(path).constData(), &st) == 0;
}

} // namespace

bool exists(const QString &path)
{
    struct stat st
    {
    };
    return statOf(path, st);
}

bool isFile(const QString &path)
{
    struct stat st
    {
    };
    return statOf(path, st) && S_ISREG(st.st_mode);
}

Stamp stampOf(const QString &path)
{
    struct stat st
    {
    };
    if (!statOf(path, st))
        return {};
    return {quint64(st.st_ino), qint64(st.st_size),
            qint64(st.st_mtim.tv_sec) * 1'000'000'000 + st.st_mtim.tv_nsec};
}

bool isFolder(const QString &path)
{
    struct stat st
    {
    };
    return statOf(path, st) && S_ISDIR(st.st_mode);
}

int makeFolder(const QString &path)
{
    return ::mkdir(QFile::encodeName(path).constData(), 0777) == 0 ? 0 : errno;
}

bool removeFile(const QString &path)
{
    return ::unlink(QFile::encodeName(path).constData()) == 0;
}

QStringList listFolder(const QString &folder)
{
    QStringList names;
    QDirIterator it(folder, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    while (it.hasNext()) {
        it.next();
        names.append(it.fileName());
    }
    return names;
}

QString findFile(const QString &folder, const std::function<bool(const QString &name)> &matches)
{
    DIR *dir = ::opendir(QFile::encodeName(folder).constData());
    if (!dir)
        return {};
    QString found;
    while (const dirent *entry = ::readdir(dir)) {
        // Folders, pipes and devices are passed over by their type where the system says it.
        if (entry->d_type != DT_REG && entry->d_type != DT_LNK && entry->d_type != DT_UNKNOWN)
            continue;
        const QString name = QFile::decodeName(entry->d_name);
        if (!matches(name))
            continue;
        const QString path = folder + u'/' + name;
        if (isFile(path)) {
            found = path;
            break;
        }
    }
    ::closedir(dir);
    return found;
}

} // namespace FileSystem
