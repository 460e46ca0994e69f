#pragma once

#include <QString>

// The parts of an entry's target or of a dropped path. A path written Windows-style
// (C:\tools\app.exe) is cut at backslashes and colons as well as slashes; one that begins
// with "/" only at slashes, for a Linux file name may hold both.
namespace TargetPath {

// Up to and including the last separator; empty when there is none.
QString folderOf(const QString &path);

// The folder that opening a target's folder opens: its folder part, or for a bare program
// name the folder where PATH finds it; empty when it has neither.
QString folderToOpen(const QString &target);

// After the last separator.
QString fileNameOf(const QString &path);

// The keyword a dropped path suggests: its file name cut before the last dot (a name
// whose only dot leads it, such as ".profile", is kept whole).
QString proposedKeyword(const QString &path);

} // namespace TargetPath
