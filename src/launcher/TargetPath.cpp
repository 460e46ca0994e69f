#include "TargetPath.h"

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

QString fileNameOf(const QString &path)
{
    return path.mid(lastSeparator(path) + 1);
}

QString proposedKeyword(const QString &path)
{
    const QString name = fileNameOf(path);
    const qsizetype dot = name.lastIndexOf(u'.');
    return dot > 0 ? name.left(dot) : name;
}

} // namespace TargetPath
