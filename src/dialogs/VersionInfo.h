#pragma once

#include <QString>

class QIODevice;

// The version texts a program carries in its version record (see cmake/VersionRecord.cmake):
// a section of the executable file, read from the file without loading or running it.
namespace VersionInfo {

// The FileVersion text of the program file at the path; empty when the file cannot be read,
// is no ELF file, or carries no record or no FileVersion in it. Reads the file's section
// headers and the record only, whatever the file's size.
QString fileVersion(const QString &path);
// The same of a file already open for reading, at any position (a QBuffer for a fuzzer).
QString fileVersion(QIODevice &file);

} // namespace VersionInfo
