#include "Paths.h"

#include "Error.h"
#include "Messages.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <sys/stat.h>

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

void ensureFolder(const QString &path)
{
    const QByteArray name = QFile::encodeName(path);
    struct stat st
    {
    };
    if (::stat(name.constData(), &st) == 0) {
        if (!S_ISDIR(st.st_mode))
            throw Error(Messages::ioFailure(EEXIST));
        return;
    }
    if (::mkdir(name.constData(), 0777) != 0)
        throw Error(Messages::ioFailure(errno));
}

} // namespace Paths
