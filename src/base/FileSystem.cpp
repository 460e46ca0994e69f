#include "FileSystem.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>

#include <cerrno>
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

} // namespace FileSystem
