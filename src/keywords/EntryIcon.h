#pragma once

#include <QString>

// An icon as the icon extraction names it: a file and the zero-based number of an icon in it.
struct IconRef
{
    QString file;
    int index = 0;

    bool operator==(const IconRef &) const = default;
};

// Which icon stands for an entry. Nothing here loads an image; the platform's Icons service
// turns the answer into a picture.
namespace EntryIcon {

// The recycle bin and my documents items go by their exact names (letter case counts);
// every other row takes the icon of its target. An empty name matches no row.
IconRef iconForEntry(const QString &row, const QString &target, const QString &dustBoxName,
                     const QString &mydocName);

// A folder's icon by folderIcon(), anything else by fileIcon().
IconRef iconForPath(const QString &path);

// The icon named by the folder's desktop.ini, else the closed folder of shell32.dll.
IconRef folderIcon(const QString &folder);

// The first icon of the file itself.
IconRef fileIcon(const QString &file);

} // namespace EntryIcon
