#include "SkinFolders.h"

#include <QDir>

#include <algorithm>

namespace SkinFolders {

QString root(const QString &executableFolder)
{
    return executableFolder + QStringLiteral("skin");
}

QStringList list(const QString &root)
{
    QStringList names = QDir(root).entryList(
        QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::NoSort);
    std::sort(names.begin(), names.end(), [](const QString &a, const QString &b) {
        const int order = QString::compare(a, b, Qt::CaseInsensitive);
        return order != 0 ? order < 0 : a < b;
    });
    return names;
}

bool isPlainName(const QString &name)
{
    return !name.isEmpty() && name != u"." && name != u".." && !name.contains(u'/')
           && !name.contains(u'\\');
}

QString iniPath(const QString &root, const QString &skin)
{
    return root + u'/' + skin + QStringLiteral("/skin.ini");
}

QString bitmapPath(const QString &root, const QString &skin, const QString &fileName)
{
    return root + u'/' + skin + u'/' + fileName;
}

} // namespace SkinFolders
