#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// Shift-JIS text files: read with any line end, written with CR LF and replaced atomically.
namespace TextFile {

// Lines of a text; CR LF, CR and LF each end one line, and a last line needs no line end.
QStringList splitLines(QStringView text);

// Calls line(from, size) for each line of a text of n characters in turn, split as
// splitLines() splits. The text is read once, front to back, and never again where a line
// handed over stands: a caller may move each line down over the line ends before it, in the
// text itself.
template <typename Char, typename Line> void forEachLine(const Char *text, qsizetype n, Line line)
{
    qsizetype start = 0;
    for (qsizetype i = 0; i < n; ++i) {
        const Char c = text[i];
        if (c != Char('\r') && c != Char('\n'))
            continue;
        line(start, i - start);
        if (c == Char('\r') && i + 1 < n && text[i + 1] == Char('\n'))
            ++i;
        start = i + 1;
    }
    if (start < n)
        line(start, n - start);
}

// The lines of a file's bytes, split as splitLines() splits text (the code page's line ends
// are single bytes that never stand inside a character).
QList<QByteArray> splitLineBytes(QByteArrayView bytes);

// The whole file's bytes; a file that cannot be opened, or that is no plain file (a folder,
// a pipe, a device), raises the open error.
QByteArray readBytes(const QString &path);
QStringList readLines(const QString &path);
// The first lines of a file, read no further than they need and never past the first
// FirstLinesLimit bytes, where a longer line is cut: a huge file costs no more than a small
// one, even one without line ends. (No path or command line the system takes is as long.)
inline constexpr qsizetype FirstLinesLimit = 256 * 1024;
QStringList readFirstLines(const QString &path, qsizetype count);
// The lines of a file's bytes, decoded.
QStringList decodeLines(const QByteArray &bytes);
// A file's bytes decoded whole, line ends and all.
QString decode(const QByteArray &bytes);

// Every line followed by CR LF. Text the code page cannot hold is refused before the
// file is touched; a failed write leaves the old file whole and raises the create error.
void writeLines(const QString &path, const QStringList &lines);
QByteArray encodeLines(const QStringList &lines);
void writeBytes(const QString &path, const QByteArray &bytes);
// The hidden name beside a file that writeBytes() writes it under before renaming it, and
// whether a file name is one.
QString temporaryName(const QString &path);
bool isTemporaryName(QStringView fileName);

} // namespace TextFile
