#include "IconThemeCache.h"

#include <QFile>

#include <sys/stat.h>

namespace {

constexpr quint16 HasPng = 4;
constexpr quint32 NoMore = 0xFFFFFFFF;
// A chain or a list longer than this is a damaged index, not a theme.
constexpr quint32 MostSteps = 100000;

// The index's hash of a name: the folder tool's own, over signed bytes.
quint32 nameHash(QByteArrayView name)
{
    if (name.isEmpty())
        return 0;
    quint32 hash = quint32(qint32(static_cast<signed char>(name[0])));
    for (qsizetype i = 1; i < name.size(); ++i)
        hash = (hash << 5) - hash + quint32(qint32(static_cast<signed char>(name[i])));
    return hash;
}

bool olderThan(const QByteArray &file, const QByteArray &folder)
{
    struct stat fileStat
    {
    };
    struct stat folderStat
    {
    };
    if (::stat(file.constData(), &fileStat) != 0 || ::stat(folder.constData(), &folderStat) != 0)
        return true;
    if (fileStat.st_mtim.tv_sec != folderStat.st_mtim.tv_sec)
        return fileStat.st_mtim.tv_sec < folderStat.st_mtim.tv_sec;
    return fileStat.st_mtim.tv_nsec < folderStat.st_mtim.tv_nsec;
}

} // namespace

IconThemeCache::IconThemeCache(const QString &themeFolder)
{
    const QString path = themeFolder + QStringLiteral("/icon-theme.cache");
    if (olderThan(QFile::encodeName(path), QFile::encodeName(themeFolder)))
        return;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return;
    m_bytes = file.readAll();
    if (word(0) != quint16(1))
        m_bytes.clear();
}

std::optional<quint16> IconThemeCache::word(quint32 offset) const
{
    if (qsizetype(offset) + 2 > m_bytes.size())
        return std::nullopt;
    const auto *p = reinterpret_cast<const uchar *>(m_bytes.constData()) + offset;
    return quint16(p[0] << 8 | p[1]);
}

std::optional<quint32> IconThemeCache::number(quint32 offset) const
{
    if (qsizetype(offset) + 4 > m_bytes.size())
        return std::nullopt;
    const auto *p = reinterpret_cast<const uchar *>(m_bytes.constData()) + offset;
    return quint32(p[0]) << 24 | quint32(p[1]) << 16 | quint32(p[2]) << 8 | quint32(p[3]);
}

QByteArrayView IconThemeCache::text(quint32 offset) const
{
    if (qsizetype(offset) >= m_bytes.size())
        return {};
    const qsizetype end = m_bytes.indexOf('\0', offset);
    return end < 0 ? QByteArrayView() : QByteArrayView(m_bytes).sliced(offset, end - offset);
}

QString IconThemeCache::folder(quint16 index) const
{
    const std::optional<quint32> list = number(8);
    const std::optional<quint32> count = list ? number(*list) : std::nullopt;
    if (!count || index >= *count)
        return {};
    const std::optional<quint32> offset = number(*list + 4 + 4 * quint32(index));
    return offset ? QString::fromUtf8(text(*offset)) : QString();
}

std::optional<quint32> IconThemeCache::imagesOf(QByteArrayView name) const
{
    const std::optional<quint32> hashTable = number(4);
    const std::optional<quint32> buckets = hashTable ? number(*hashTable) : std::nullopt;
    if (!buckets || *buckets == 0 || name.isEmpty())
        return std::nullopt;
    std::optional<quint32> icon = number(*hashTable + 4 + 4 * (nameHash(name) % *buckets));
    for (quint32 step = 0; icon && *icon != NoMore && step < MostSteps; ++step) {
        const std::optional<quint32> next = number(*icon);
        const std::optional<quint32> nameAt = number(*icon + 4);
        const std::optional<quint32> images = number(*icon + 8);
        if (!next || !nameAt || !images)
            return std::nullopt;
        if (text(*nameAt) == name)
            return images;
        icon = next;
    }
    return std::nullopt;
}

QStringList IconThemeCache::pngFolders(QByteArrayView name) const
{
    QStringList folders;
    const std::optional<quint32> images = imagesOf(name);
    if (!images)
        return folders;
    const quint32 count = number(*images).value_or(0);
    for (quint32 i = 0; i < count && i < MostSteps; ++i) {
        const std::optional<quint16> index = word(*images + 4 + 8 * i);
        const std::optional<quint16> flags = word(*images + 6 + 8 * i);
        if (!index || !flags)
            break;
        if (*flags & HasPng)
            if (const QString found = folder(*index); !found.isEmpty())
                folders.append(found);
    }
    return folders;
}

bool IconThemeCache::holds(QByteArrayView name) const
{
    const std::optional<quint32> images = imagesOf(name);
    return images && number(*images).value_or(0) > 0;
}
