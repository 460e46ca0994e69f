#include "Paths.h"

#include <QCoreApplication>
#include <QFileInfo>

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

} // namespace Paths
