#pragma once

#include <QString>

namespace Paths {

// The folder of the running executable, ending in "/": data, data.lst, skins and the
// settings file lie in it, and paths are built by appending to it.
QString executableFolder();

// The executable's path with its extension replaced by ".ini".
QString settingsFile();

// The help file: beside the executable (a portable copy, the build folder), else in the
// installed share folder (../share/tblaunch beside bin); the one beside when neither is.
QString helpFile();

// Creates the folder unless it is there; anything else of that name, or a refusal, raises
// the folder functions' error ("ファイルへのアクセスが拒否されました" or "I/O エラー (n)").
void ensureFolder(const QString &path);

} // namespace Paths
