#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QStringList>

#include <optional>

// The index an icon theme folder may hold (icon-theme.cache, as gtk-update-icon-cache writes
// it): which of the theme's sub-folders hold a picture of a given name, found without listing a
// single folder or reading the theme's description. Every read is checked against the file's
// size, so a damaged index answers nothing rather than something wrong.
class IconThemeCache
{
public:
    // Reads the index of the theme folder; an empty index when there is none, when it is older
    // than the folder (an icon may have been added since) or when its version is unknown.
    explicit IconThemeCache(const QString &themeFolder);

    bool isEmpty() const { return m_bytes.isEmpty(); }

    // The sub-folders (such as "32x32/mimetypes") holding a PNG picture of that name.
    QStringList pngFolders(QByteArrayView name) const;
    // Whether any sub-folder holds a picture of that name, in whatever format.
    bool holds(QByteArrayView name) const;

private:
    // Where the list of the name's pictures lies; nullopt when the index has no such name.
    std::optional<quint32> imagesOf(QByteArrayView name) const;
    // Big-endian numbers at an offset; nullopt past the end.
    std::optional<quint16> word(quint32 offset) const;
    std::optional<quint32> number(quint32 offset) const;
    // The zero-terminated text at an offset, empty when it runs past the end.
    QByteArrayView text(quint32 offset) const;
    QString folder(quint16 index) const;

    QByteArray m_bytes;
};
