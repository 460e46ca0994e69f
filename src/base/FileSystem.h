#pragma once

#include <QString>
#include <QStringList>

#include <functional>

// The few file-system questions and changes the program asks by path, answered by the system
// itself: quick enough for a keystroke, and with the system's error number where one matters.
namespace FileSystem {

bool exists(const QString &path);
// A regular file, links followed.
bool isFile(const QString &path);
bool isFolder(const QString &path);

// What tells one state of a file on disk from another without reading it: which file the
// path names, its size and the time of its last change; all zero for no file.
struct Stamp
{
    quint64 file = 0;
    qint64 size = 0;
    qint64 modifiedNs = 0;
    bool operator==(const Stamp &) const = default;
};
Stamp stampOf(const QString &path);

// 0 when the folder was made, else the system's error number.
int makeFolder(const QString &path);
// Deletes a file; false when it could not (already gone included).
bool removeFile(const QString &path);

// Every name in the folder, hidden ones included, in the order the file system lists them.
QStringList listFolder(const QString &folder);

// The path of the first plain file (a link to one is one) in the folder whose name matches,
// or empty. Only the names are read; nothing is looked at but a name that matches.
QString findFile(const QString &folder, const std::function<bool(const QString &name)> &matches);

} // namespace FileSystem
