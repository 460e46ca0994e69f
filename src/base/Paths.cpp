#include "Paths.h"

#include "Error.h"
#include "FileSystem.h"
#include "Messages.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include <cerrno>

namespace Paths {

QString executableFolder()
{
    QString folder = QCoreApplication::applicationDirPath();
    if (!folder.endsWith(u'/'))
        folder += u'/';
    return folder;
}

QString settingsFile()
{
    const QFileInfo exe(QCoreApplication::applicationFilePath());
    const QString name = exe.fileName();
    const qsizetype dot = name.lastIndexOf(u'.');
    return exe.absolutePath() + u'/' + (dot > 0 ? name.left(dot) : name) + QStringLiteral(".ini");
}

QString helpFile()
{
    const QString beside = executableFolder() + QStringLiteral("tblaunch.chm");
    if (FileSystem::isFile(beside))
        return beside;
    const QString shared = QDir::cleanPath(QCoreApplication::applicationDirPath()
                                           + QStringLiteral("/../share/tblaunch/tblaunch.chm"));
    return FileSystem::isFile(shared) ? shared : beside;
}

void ensureFolder(const QString &path)
{
    if (FileSystem::exists(path)) {
        if (!FileSystem::isFolder(path))
            throw Error(Messages::ioFailure(EEXIST));
        return;
    }
    if (const int error = FileSystem::makeFolder(path))
        throw Error(Messages::ioFailure(error));
}

} // namespace Paths
