#include "TempFolder.h"

#include "platform/linux/IconThemeCache.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <utime.h>

namespace {

const QString SystemTheme = QStringLiteral("/usr/share/icons/Adwaita");

// A theme folder holding the given index, the folder itself made older than the index.
QString themeWith(const TempFolder &temp, const QByteArray &index)
{
    QDir().mkpath(temp.file("theme"));
    temp.write("theme/icon-theme.cache", index);
    const utimbuf past{1000, 1000};
    utime(QFile::encodeName(temp.file("theme")).constData(), &past);
    return temp.file("theme");
}

QByteArray systemIndex()
{
    QFile file(SystemTheme + QStringLiteral("/icon-theme.cache"));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

TEST(IconThemeCacheTest, NamesTheFoldersHoldingAPicture)
{
    const IconThemeCache cache(SystemTheme);
    ASSERT_FALSE(cache.isEmpty());
    EXPECT_TRUE(cache.pngFolders("application-x-executable").contains("32x32/mimetypes"));
    EXPECT_TRUE(cache.pngFolders("folder").contains("32x32/places"));
    EXPECT_TRUE(cache.pngFolders("no-such-icon").isEmpty());
    EXPECT_TRUE(cache.pngFolders("").isEmpty());

    // Any picture counts for holding a name, a drawing without a PNG beside it too.
    EXPECT_TRUE(cache.pngFolders("folder-symbolic").isEmpty());
    for (const char *held : {"folder", "folder-symbolic"})
        EXPECT_TRUE(cache.holds(held)) << held;
    for (const char *absent : {"no-such-icon", "true", ""})
        EXPECT_FALSE(cache.holds(absent)) << absent;
}

// A damaged index answers nothing or part of the truth, never a folder it does not hold.
TEST(IconThemeCacheTest, DamagedIndexesAnswerNothingWrong)
{
    const QByteArray whole = systemIndex();
    ASSERT_FALSE(whole.isEmpty());
    const QStringList truth = IconThemeCache(SystemTheme).pngFolders("folder");
    TempFolder temp;
    for (qsizetype size = 0; size < whole.size(); size += 509) {
        const IconThemeCache cache(themeWith(temp, whole.left(size)));
        for (const QString &folder : cache.pngFolders("folder"))
            EXPECT_TRUE(truth.contains(folder)) << size;
    }
    QByteArray noise = whole;
    for (qsizetype i = 12; i < noise.size(); i += 7)
        noise[i] = char(0xFF);
    IconThemeCache(themeWith(temp, noise)).pngFolders("folder");

    QByteArray version = whole;
    version[1] = 2;
    EXPECT_TRUE(IconThemeCache(themeWith(temp, version)).isEmpty());
}

TEST(IconThemeCacheTest, AnIndexOlderThanItsThemeIsNotUsed)
{
    TempFolder temp;
    const QString theme = themeWith(temp, systemIndex());
    EXPECT_FALSE(IconThemeCache(theme).isEmpty());
    const utimbuf later{4000000000, 4000000000};
    utime(QFile::encodeName(theme).constData(), &later);
    EXPECT_TRUE(IconThemeCache(theme).isEmpty());
    EXPECT_TRUE(IconThemeCache(temp.file("none")).isEmpty());
}

} // namespace
