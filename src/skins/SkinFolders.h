#pragma once

#include "SkinIni.h"

#include <QString>
#include <QStringList>

#include <optional>

// Where skins live: each entry of the folder "skin" beside the executable is one skin, named
// by the entry's name; a skin folder holds skin.ini and the bitmap that it names. Paths are
// joined as they are given, without cleaning.
namespace SkinFolders {

// The skin root; the data folder ends in "/".
QString root(const QString &dataFolder);

// Every entry of the root but "." and "..", files and hidden entries included (a file
// chosen as a skin fails like a folder without skin.ini), sorted by name without regard to
// case, then by the exact name. Empty when the root is missing.
QStringList list(const QString &root);

// A name that names an entry right inside the root: not empty, not "." or "..", and without
// "/" or "\\" (a skin made here may go to Windows as well).
bool isPlainName(const QString &name);

QString iniPath(const QString &root, const QString &skin);
QString bitmapPath(const QString &root, const QString &skin, const QString &fileName);

// Writes a skin into its folder: the bitmap copied in (over an older one in one step, so that
// a copy that fails leaves the old one whole; a skin written back into its own folder keeps
// its own), then skin.ini. A copy that fails does not stop skin.ini: its message is the
// answer. skin.ini that cannot be written raises its create error.
std::optional<QString> write(const QString &folder, const QString &bitmap,
                             const SkinIni::Values &values);

} // namespace SkinFolders
