#pragma once

#include "DesktopApplications.h"
#include "IconThemeCache.h"

#include "platform/Icons.h"

#include <QHash>
#include <QMimeDatabase>
#include <QPixmap>
#include <QStringList>

#include <ctime>
#include <optional>
#include <utility>
#include <vector>

class QFileInfo;

// Icons from the desktop's icon theme: the system's icon files stand for theme icons, a
// .desktop file shows its Icon, a program the Icon of the desktop entry that runs it, an
// address the icon of the application that opens it (a web browser's for a web address), an
// image shows itself, a folder, an executable and a document show the theme's icon for their
// kind. Needs a QGuiApplication.
//
// The picture is looked up on every keystroke that names a keyword, so rendered pixmaps are
// kept: theme icons by name, files by path together with their size and times, so that a
// changed file is looked at again.
class LinuxIcons : public Icons
{
public:
    // Chooses an icon theme when the platform names none (no desktop running). The desktop
    // entries are looked for where the environment says, or in the folders given.
    LinuxIcons();
    explicit LinuxIcons(DesktopApplications::Folders applications);

    QPixmap extract(const QString &file, int index, qreal devicePixelRatio) override;

private:
    // Where a file's picture comes from: an image file, else the first theme icon found.
    struct Source
    {
        QString image;
        QStringList themeNames;
    };

    // What a file looked like when its picture was made: its size, modification and change
    // times to the nanosecond, and its type and permission bits.
    struct Stamp
    {
        qint64 size = -1;
        qint64 modifiedSeconds = 0;
        long modifiedNanoseconds = 0;
        qint64 changedSeconds = 0;
        long changedNanoseconds = 0;
        unsigned mode = 0;
        bool operator==(const Stamp &) const = default;
    };

    struct CachedSource
    {
        Stamp stamp;
        Source source;
    };

    struct CachedImage
    {
        Stamp stamp;
        QPixmap pixmap;
    };

    using Key = std::pair<QString, qreal>;

    static void ensureTheme();
    static Stamp stampOf(const QString &path);

    // A picture of exactly that many pixels in the theme itself, found through the theme's
    // index; null when the index names none, and the theme is then asked the long way.
    QPixmap indexedPng(const QString &name, qreal devicePixelRatio);
    // The folder of the current theme when exactly one search path holds it, else empty.
    QString themeFolder() const;
    // The Size, Scale and Type lines of one sub-folder's section in the theme's description.
    bool holdsExactly(const QString &folder, int edge);

    // Whether the theme, the themes it inherits or hicolor may hold an icon of that name:
    // false only when each of their folders has a valid index and none names it.
    bool mayBeThemed(const QString &name);

    Source sourceOf(const QFileInfo &info);
    Source programSource(const QFileInfo &info);
    Source addressSource(const QString &address);
    QPixmap render(const Source &source, qreal devicePixelRatio);
    QPixmap themePixmap(const QString &name, qreal devicePixelRatio);
    QPixmap imagePixmap(const QString &path, qreal devicePixelRatio);

    QMimeDatabase m_mimes;
    DesktopApplications m_applications;
    QHash<QString, CachedSource> m_sources; // by absolute path
    bool m_themeChecked = false;
    QHash<Key, QPixmap> m_themePixmaps; // by theme name and ratio; null when not found
    QHash<Key, CachedImage> m_images;   // by absolute path and ratio

    // The current theme's folder, index and description, read at the first theme icon.
    struct ThemeIndex
    {
        QString folder;
        IconThemeCache cache;
        QByteArray description;
    };
    std::optional<ThemeIndex> m_themeIndex;

    // The indexes of the theme and every theme it falls back to, read at the first guess of a
    // program's icon by its name; complete when every folder of those themes has one.
    struct ThemeFamily
    {
        bool complete = false;
        std::vector<IconThemeCache> caches;
    };
    std::optional<ThemeFamily> m_family;
};
