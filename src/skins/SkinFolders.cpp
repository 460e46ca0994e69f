#include "SkinFolders.h"

#include "SkinMessages.h"

#include "base/Error.h"
#include "base/TextFile.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>

namespace SkinFolders {

namespace {

// The same file, however spelt: both there, with one canonical path.
bool sameFile(const QString &a, const QString &b)
{
    const QString canonical = QFileInfo(a).canonicalFilePath();
    return !canonical.isEmpty() && canonical == QFileInfo(b).canonicalFilePath();
}

} // namespace

QString root(const QString &dataFolder)
{
    return dataFolder + QStringLiteral("skin");
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

std::optional<QString> write(const QString &folder, const QString &bitmap,
                             const SkinIni::Values &values)
{
    const QString target = folder + u'/' + QFileInfo(bitmap).fileName();
    std::optional<QString> failure;
    if (!sameFile(bitmap, target)) {
        try {
            TextFile::writeBytes(target, TextFile::readBytes(bitmap));
        } catch (const Error &e) {
            failure = SkinMessages::cannotCopyBitmap(bitmap, target, e.message());
        }
    }
    SkinIni::write(folder + QStringLiteral("/skin.ini"), values);
    return failure;
}

} // namespace SkinFolders
