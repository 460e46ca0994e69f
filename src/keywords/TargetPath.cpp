#include "TargetPath.h"

#include <QStandardPaths>

#include <algorithm>

namespace TargetPath {

namespace {

qsizetype lastSeparator(const QString &path)
{
    qsizetype at = path.lastIndexOf(u'/');
    if (!path.startsWith(u'/'))
        at = std::max({at, path.lastIndexOf(u'\\'), path.lastIndexOf(u':')});
    return at;
}

} // namespace

QString folderOf(const QString &path)
{
    return path.left(lastSeparator(path) + 1);
}

QString folderToOpen(const QString &target)
{
    QString folder = folderOf(target);
    if (folder.isEmpty() && !target.isEmpty())
        folder = folderOf(QStandardPaths::findExecutable(target));
    return folder;
}

QString fileNameOf(const QString &path)
{
    return path.mid(lastSeparator(path) + 1);
}

QString proposedKeyword(const QString &path)
{
    // A folder given as "music/" is named by its last part all the same.
    QString trimmed = path;
    while (trimmed.size() > 1 && (trimmed.endsWith(u'/') || trimmed.endsWith(u'\\'))
           && lastSeparator(trimmed) == trimmed.size() - 1)
        trimmed.chop(1);
    const QString name = fileNameOf(trimmed);
    const qsizetype dot = name.lastIndexOf(u'.');
    return dot > 0 ? name.left(dot) : name;
}

} // namespace TargetPath
