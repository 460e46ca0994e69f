#pragma once

#include <QString>
#include <QStringList>

// Where skins live: each entry of the folder "skin" beside the executable is one skin, named
// by the entry's name; a skin folder holds skin.ini and the bitmap that it names. Paths are
// joined as they are given, without cleaning.
namespace SkinFolders {

// The skin root; the executable folder ends in "/".
QString root(const QString &executableFolder);

// Every entry of the root but "." and "..", files and hidden entries included (a file
// chosen as a skin fails like a folder without skin.ini), sorted by name without regard to
// case, then by the exact name. Empty when the root is missing.
QStringList list(const QString &root);

// A name that names an entry right inside the root: not empty, not "." or "..", and without
// "/" or "\\" (a skin made here may go to Windows as well).
bool isPlainName(const QString &name);

QString iniPath(const QString &root, const QString &skin);
QString bitmapPath(const QString &root, const QString &skin, const QString &fileName);

} // namespace SkinFolders
