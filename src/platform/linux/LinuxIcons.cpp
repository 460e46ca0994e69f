#include "LinuxIcons.h"

#include "DesktopEntry.h"

#include "platform/Shell.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QIcon>
#include <QImage>
#include <QImageReader>
#include <QPainter>
#include <QStandardPaths>

#include <algorithm>
#include <optional>

#include <sys/stat.h>

namespace {

const QString FolderIcon = QStringLiteral("folder");
const QString ExecutableIcon = QStringLiteral("application-x-executable");

// The theme icons standing for the system's icon files. shell32.dll's numbering is the
// platform's own; only icons with an obvious counterpart in a theme are listed.
std::optional<QStringList> systemIcon(const QString &file, int index)
{
    const auto is = [&file](QStringView name) {
        return file.compare(name, Qt::CaseInsensitive) == 0;
    };
    if (is(u"shell32.dll")) {
        switch (index) {
        case 1:
            return QStringList{QStringLiteral("text-x-generic")};
        case 2:
            return QStringList{ExecutableIcon};
        case 3:
            return QStringList{FolderIcon};
        case 4:
            return QStringList{QStringLiteral("folder-open"), FolderIcon};
        case 8:
            return QStringList{QStringLiteral("drive-harddisk")};
        case 11:
            return QStringList{QStringLiteral("media-optical")};
        case 15:
            return QStringList{QStringLiteral("computer")};
        case 16:
            return QStringList{QStringLiteral("printer")};
        case 31:
            return QStringList{QStringLiteral("user-trash")};
        case 32:
            return QStringList{QStringLiteral("user-trash-full"), QStringLiteral("user-trash")};
        default:
            return QStringList{};
        }
    }
    if (is(u"mydocs.dll"))
        return index == 0 ? QStringList{QStringLiteral("folder-documents"), FolderIcon}
                          : QStringList{};
    // The my computer item launches the file manager, which the shell finds by this name.
    if (is(u"explorer.exe") || is(u"explorer"))
        return index == 0 ? QStringList{QStringLiteral("system-file-manager"), FolderIcon}
                          : QStringList{};
    return std::nullopt;
}

// The picture centred on a transparent square of exactly the icon's size in device pixels,
// scaled to fit without changing its proportions.
QPixmap fitted(QImage image, qreal devicePixelRatio)
{
    if (image.isNull())
        return {};
    image.setDevicePixelRatio(1);
    const int edge = qRound(Icons::Size * devicePixelRatio);
    if (image.size() != QSize(edge, edge)) {
        const QImage scaled =
            image.scaled(edge, edge, Qt::KeepAspectRatio, Qt::SmoothTransformation);
        QImage square(edge, edge, QImage::Format_ARGB32_Premultiplied);
        square.fill(Qt::transparent);
        QPainter painter(&square);
        painter.drawImage((edge - scaled.width()) / 2, (edge - scaled.height()) / 2, scaled);
        painter.end();
        image = square;
    }
    QPixmap pixmap = QPixmap::fromImage(image);
    pixmap.setDevicePixelRatio(devicePixelRatio);
    return pixmap;
}

// A program the loader runs or a script: such a file is never a picture, whatever its name.
bool isProgramFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    char start[4] = {};
    const qint64 read = file.read(start, sizeof start);
    return (read >= 2 && start[0] == '#' && start[1] == '!')
           || (read == 4
               && QByteArrayView(start, 4)
                      == QByteArrayView("\x7f"
                                        "ELF"));
}

// The value of a key in a section of a theme's description (the lines up to the next section).
QByteArrayView keyValue(QByteArrayView section, QByteArrayView key)
{
    qsizetype at = 0;
    while (at < section.size()) {
        qsizetype end = section.indexOf('\n', at);
        if (end < 0)
            end = section.size();
        const QByteArrayView line = section.sliced(at, end - at).trimmed();
        if (line.startsWith(key)) {
            const QByteArrayView rest = line.sliced(key.size()).trimmed();
            if (rest.startsWith('='))
                return rest.sliced(1).trimmed();
        }
        at = end + 1;
    }
    return {};
}

} // namespace

LinuxIcons::LinuxIcons()
    : LinuxIcons(DesktopApplications::ofEnvironment())
{
    m_applications.start();
}

LinuxIcons::LinuxIcons(DesktopApplications::Folders applications)
    : m_applications(std::move(applications))
{
}

void LinuxIcons::ensureTheme()
{
    // Without a desktop Qt names no theme (offscreen) or only hicolor, which holds no folder
    // or document icons (a bare window manager), and may not know where themes live.
    const QString current = QIcon::themeName();
    if (!current.isEmpty() && current != QStringLiteral("hicolor"))
        return;

    QStringList paths = QIcon::themeSearchPaths();
    QStringList candidates{QDir::homePath() + QStringLiteral("/.icons")};
    const QStringList dataFolders =
        QStandardPaths::standardLocations(QStandardPaths::GenericDataLocation);
    for (const QString &data : dataFolders)
        candidates.append(data + QStringLiteral("/icons"));
    for (const QString &path : std::as_const(candidates)) {
        if (!paths.contains(path) && QFileInfo(path).isDir())
            paths.append(path);
    }
    QIcon::setThemeSearchPaths(paths);

    for (const QString &theme : {QStringLiteral("Adwaita"), QStringLiteral("hicolor")}) {
        const bool installed = std::any_of(paths.cbegin(), paths.cend(), [&](const QString &path) {
            return QFileInfo::exists(path + u'/' + theme + QStringLiteral("/index.theme"));
        });
        if (installed) {
            QIcon::setThemeName(theme);
            break;
        }
    }
    if (QIcon::fallbackThemeName().isEmpty())
        QIcon::setFallbackThemeName(QStringLiteral("hicolor"));
}

QPixmap LinuxIcons::extract(const QString &file, int index, qreal devicePixelRatio)
{
    if (!(devicePixelRatio > 0))
        devicePixelRatio = 1;
    // The theme is looked for at the first icon, not at start-up, which shows none.
    if (!m_themeChecked) {
        ensureTheme();
        m_themeChecked = true;
    }

    if (const std::optional<QStringList> names = systemIcon(file, index))
        return render({{}, *names}, devicePixelRatio);
    // An ordinary file holds one icon, its own.
    if (file.isEmpty() || index != 0)
        return {};
    if (Shell::isAddress(file))
        return render(addressSource(file), devicePixelRatio);

    const QFileInfo info(file);
    QString path = info.absoluteFilePath();
    if (!info.exists()) {
        // A bare program name is found on the search path, as the shell starts it.
        if (file.contains(u'/'))
            return {};
        path = QStandardPaths::findExecutable(file);
        if (path.isEmpty())
            return {};
    }

    const Stamp stamp = stampOf(path);
    auto cached = m_sources.find(path);
    if (cached == m_sources.end() || cached->stamp != stamp)
        cached = m_sources.insert(path, {stamp, sourceOf(QFileInfo(path))});
    return render(cached->source, devicePixelRatio);
}

LinuxIcons::Stamp LinuxIcons::stampOf(const QString &path)
{
    // The change time also moves when the path is replaced; the modification time covers file
    // systems that do not keep a change time. Both may tick coarsely, so an executable bit set
    // within the same tick is caught by the mode itself. Read straight from the file system:
    // times in local time would look up the time zone on every keystroke.
    struct stat status
    {
    };
    if (::stat(QFile::encodeName(path).constData(), &status) != 0)
        return {};
    return {qint64(status.st_size),        qint64(status.st_mtim.tv_sec), status.st_mtim.tv_nsec,
            qint64(status.st_ctim.tv_sec), status.st_ctim.tv_nsec,        unsigned(status.st_mode)};
}

LinuxIcons::Source LinuxIcons::sourceOf(const QFileInfo &info)
{
    if (info.isDir())
        return {{}, {FolderIcon}};

    const QString path = info.absoluteFilePath();
    if (DesktopEntry::isDesktopFile(path)) {
        const QString icon = DesktopEntry::read(path).icon();
        if (QDir::isAbsolutePath(icon))
            return {icon, {ExecutableIcon}};
        return {{}, {icon, ExecutableIcon}};
    }

    // A program is never a picture; telling so from its first bytes spares the type database.
    // Only a plain file is opened: a pipe would wait for a writer.
    if (info.isFile() && info.isExecutable() && isProgramFile(path))
        return programSource(info);

    // An image shows itself, even with an executable bit (as on file systems that set it on
    // every file); one that cannot be decoded shows its type's icon.
    const QMimeType mime = m_mimes.mimeTypeForFile(info);
    if (mime.name().startsWith(QStringLiteral("image/")) && QImageReader(path).canRead())
        return {path, {mime.iconName(), mime.genericIconName()}};
    if (info.isExecutable())
        return programSource(info);
    return {{}, {mime.iconName(), mime.genericIconName()}};
}

LinuxIcons::Source LinuxIcons::programSource(const QFileInfo &info)
{
    // The icon the desktop shows for the program, else one carrying its name, as an
    // application's icon usually does. That name is a guess: asked of the toolkit when no
    // theme holds it, it costs the long search on a keystroke.
    const QString icon = m_applications.iconOfProgram(info.absoluteFilePath());
    const QString byName = mayBeThemed(info.fileName()) ? info.fileName() : QString();
    if (QDir::isAbsolutePath(icon))
        return {icon, {byName, ExecutableIcon}};
    return {{}, {icon, byName, ExecutableIcon}};
}

bool LinuxIcons::mayBeThemed(const QString &name)
{
    if (!m_family) {
        m_family.emplace();
        const QString theme = QIcon::themeName();
        QStringList themes{theme};
        for (const QString &path : QIcon::themeSearchPaths()) {
            QFile description(path + u'/' + theme + QStringLiteral("/index.theme"));
            if (!path.startsWith(u':') && description.open(QIODevice::ReadOnly)) {
                const QByteArray text = description.readAll();
                for (const QByteArray &inherited :
                     keyValue(text, "Inherits").toByteArray().split(','))
                    themes.append(QString::fromUtf8(inherited.trimmed()));
                break;
            }
        }
        themes.append(QStringLiteral("hicolor"));
        m_family->complete = true;
        for (const QString &member : std::as_const(themes)) {
            for (const QString &path : QIcon::themeSearchPaths()) {
                const QString folder = path + u'/' + member;
                if (member.isEmpty() || path.startsWith(u':') || !QFileInfo(folder).isDir())
                    continue;
                IconThemeCache cache(folder);
                if (cache.isEmpty())
                    m_family->complete = false;
                else
                    m_family->caches.push_back(std::move(cache));
            }
        }
    }
    const QByteArray utf8 = name.toUtf8();
    return !m_family->complete
           || std::ranges::any_of(m_family->caches,
                                  [&](const IconThemeCache &cache) { return cache.holds(utf8); });
}

LinuxIcons::Source LinuxIcons::addressSource(const QString &address)
{
    const QString scheme = address.section(u':', 0, 0).toLower();
    const QString icon = m_applications.iconOfSchemeHandler(scheme);
    QStringList fallback;
    if (scheme == QStringLiteral("http") || scheme == QStringLiteral("https"))
        fallback = {QStringLiteral("web-browser"), QStringLiteral("applications-internet")};
    if (QDir::isAbsolutePath(icon))
        return {icon, fallback};
    return {{}, QStringList{icon} + fallback};
}

QPixmap LinuxIcons::render(const Source &source, qreal devicePixelRatio)
{
    if (!source.image.isEmpty()) {
        const QPixmap pixmap = imagePixmap(source.image, devicePixelRatio);
        if (!pixmap.isNull())
            return pixmap;
    }
    for (const QString &name : source.themeNames) {
        if (name.isEmpty())
            continue;
        const QPixmap pixmap = themePixmap(name, devicePixelRatio);
        if (!pixmap.isNull())
            return pixmap;
    }
    return {};
}

QPixmap LinuxIcons::themePixmap(const QString &name, qreal devicePixelRatio)
{
    const Key key{name, devicePixelRatio};
    auto cached = m_themePixmaps.constFind(key);
    if (cached != m_themePixmaps.cend())
        return *cached;

    QPixmap pixmap = indexedPng(name, devicePixelRatio);
    if (pixmap.isNull()) {
        const QIcon icon = QIcon::fromTheme(name);
        if (!icon.isNull())
            pixmap = fitted(icon.pixmap(QSize(Size, Size), devicePixelRatio).toImage(),
                            devicePixelRatio);
    }
    m_themePixmaps.insert(key, pixmap);
    return pixmap;
}

QPixmap LinuxIcons::indexedPng(const QString &name, qreal devicePixelRatio)
{
    // The toolkit's own lookup reads the theme's whole description and loads every image
    // plugin on the first icon, several milliseconds of the first keystroke; a picture of the
    // exact size named by the theme's index is the same picture, read as what it is.
    if (!m_themeIndex) {
        const QString folder = themeFolder();
        m_themeIndex.emplace(ThemeIndex{folder, IconThemeCache(folder), {}});
        if (!m_themeIndex->cache.isEmpty()) {
            QFile description(folder + QStringLiteral("/index.theme"));
            if (description.open(QIODevice::ReadOnly))
                m_themeIndex->description = description.readAll();
        }
    }
    if (m_themeIndex->cache.isEmpty() || m_themeIndex->description.isEmpty())
        return {};
    const int edge = qRound(Size * devicePixelRatio);
    for (const QString &folder : m_themeIndex->cache.pngFolders(name.toUtf8())) {
        if (!holdsExactly(folder, edge))
            continue;
        QImageReader reader(
            m_themeIndex->folder + u'/' + folder + u'/' + name + QStringLiteral(".png"), "png");
        // Told the format and nothing else, the reader loads no image plugin to ask them.
        reader.setAutoDetectImageFormat(false);
        const QImage image = reader.read();
        if (image.size() == QSize(edge, edge))
            return fitted(image, devicePixelRatio);
    }
    return {};
}

QString LinuxIcons::themeFolder() const
{
    const QString theme = QIcon::themeName();
    QString found;
    for (const QString &path : QIcon::themeSearchPaths()) {
        if (path.startsWith(u':') || !QFileInfo(path + u'/' + theme).isDir())
            continue;
        // The toolkit merges a theme spread over several paths; the index knows only its own.
        if (!found.isEmpty())
            return {};
        found = path + u'/' + theme;
    }
    return found;
}

bool LinuxIcons::holdsExactly(const QString &folder, int edge)
{
    const QByteArray &description = m_themeIndex->description;
    const QByteArray header = '[' + folder.toUtf8() + ']';
    qsizetype at = description.indexOf(header);
    while (at > 0 && description[at - 1] != '\n')
        at = description.indexOf(header, at + 1);
    if (at < 0)
        return false;
    const qsizetype start = at + header.size();
    qsizetype end = description.indexOf("\n[", start);
    if (end < 0)
        end = description.size();
    const QByteArrayView section = QByteArrayView(description).sliced(start, end - start);
    // A folder of one size at scale 1, as the toolkit would take for this size too.
    const QByteArrayView type = keyValue(section, "Type");
    const QByteArrayView scale = keyValue(section, "Scale");
    bool ok = false;
    const int size = keyValue(section, "Size").toInt(&ok);
    return ok && size == edge && (scale.isEmpty() || scale == "1")
           && (type.isEmpty() || type == "Fixed" || type == "Threshold");
}

QPixmap LinuxIcons::imagePixmap(const QString &path, qreal devicePixelRatio)
{
    const QFileInfo info(path);
    if (!info.isFile())
        return {};
    const Stamp stamp = stampOf(info.absoluteFilePath());
    const Key key{info.absoluteFilePath(), devicePixelRatio};
    auto cached = m_images.constFind(key);
    if (cached != m_images.cend() && cached->stamp == stamp)
        return cached->pixmap;

    // Large pictures are decoded straight to the icon's size where the format allows it.
    QImageReader reader(path);
    reader.setAutoTransform(true);
    const int edge = qRound(Size * devicePixelRatio);
    const QSize size = reader.size();
    if (size.isValid() && (size.width() > edge || size.height() > edge))
        reader.setScaledSize(size.scaled(edge, edge, Qt::KeepAspectRatio).expandedTo({1, 1}));
    const QPixmap pixmap = fitted(reader.read(), devicePixelRatio);
    m_images.insert(key, {stamp, pixmap});
    return pixmap;
}
