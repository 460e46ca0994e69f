#include "TextFile.h"

#include "Error.h"
#include "Messages.h"
#include "ShiftJis.h"

#include <QFileInfo>
#include <QSaveFile>

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

void syncFolder(const QString &filePath)
{
    // The rename is only durable once the folder itself is on disk.
    const QByteArray folder = QFile::encodeName(QFileInfo(filePath).absolutePath());
    const int fd = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

} // namespace

namespace TextFile {

namespace {

// Lines of a text in any character type; `make` turns one line's characters into a line.
template <typename Char, typename Make> auto split(const Char *text, qsizetype n, Make make)
{
    QList<decltype(make(text, 0))> lines;
    lines.reserve(std::count(text, text + n, Char('\n')) + 1);
    qsizetype start = 0;
    for (qsizetype i = 0; i < n; ++i) {
        const Char c = text[i];
        if (c != Char('\r') && c != Char('\n'))
            continue;
        lines.append(make(text + start, i - start));
        if (c == Char('\r') && i + 1 < n && text[i + 1] == Char('\n'))
            ++i;
        start = i + 1;
    }
    if (start < n)
        lines.append(make(text + start, n - start));
    return lines;
}

} // namespace

QStringList splitLines(QStringView text)
{
    return split(text.utf16(), text.size(), [](const char16_t *line, qsizetype size) {
        return QString(reinterpret_cast<const QChar *>(line), size);
    });
}

QList<QByteArray> splitLineBytes(QByteArrayView bytes)
{
    return split(bytes.data(), bytes.size(),
                 [](const char *line, qsizetype size) { return QByteArray(line, size); });
}

namespace {

// The line ends among the bytes, a CR LF counted once.
qsizetype lineEnds(QByteArrayView bytes, char &last)
{
    qsizetype ends = 0;
    for (const char c : bytes) {
        if (c == '\r' || (c == '\n' && last != '\r'))
            ++ends;
        last = c;
    }
    return ends;
}

// The file's bytes, or its first ones once the given number of lines have ended (all of them
// when the number is negative). Only a plain file is read: a pipe would wait
// for a writer and a device might never end.
QByteArray readFile(const QString &path, qsizetype lines)
{
    const QByteArray name = QFile::encodeName(path);
    const int fd = ::open(name.constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        throw Error(Messages::cannotOpenFile(path, Messages::systemReason(errno)));
    struct stat st
    {
    };
    if (::fstat(fd, &st) == 0 && !S_ISREG(st.st_mode)) {
        ::close(fd);
        throw Error(Messages::cannotOpenFile(
            path, S_ISDIR(st.st_mode) ? Messages::systemReason(EISDIR) : Messages::notAFile()));
    }
    QByteArray bytes;
    if (st.st_size > 0 && lines < 0)
        bytes.reserve(st.st_size);
    char buffer[65536];
    qsizetype ended = 0;
    char last = 0;
    for (;;) {
        const ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got == 0)
            break;
        if (got < 0) {
            if (errno == EINTR)
                continue;
            const int err = errno;
            ::close(fd);
            throw Error(Messages::cannotOpenFile(path, Messages::systemReason(err)));
        }
        bytes.append(buffer, got);
        // Once the lines wanted have ended, unless a read stopped between a CR and its LF.
        if (lines >= 0 && (ended += lineEnds(QByteArrayView(buffer, got), last)) >= lines
            && last != '\r')
            break;
    }
    ::close(fd);
    return bytes;
}

} // namespace

QByteArray readBytes(const QString &path)
{
    return readFile(path, -1);
}

QStringList readFirstLines(const QString &path, qsizetype count)
{
    QStringList lines = decodeLines(readFile(path, count));
    if (lines.size() > count)
        lines.resize(count);
    return lines;
}

QStringList readLines(const QString &path)
{
    return decodeLines(readBytes(path));
}

QStringList decodeLines(const QByteArray &bytes)
{
    // The code page agrees with ASCII, so ASCII lines (most keyword lists) need no decoding
    // of the whole file first.
    if (ShiftJis::isAscii(bytes))
        return split(bytes.constData(), bytes.size(), [](const char *line, qsizetype size) {
            return QString::fromLatin1(line, size);
        });
    return splitLines(ShiftJis::decode(bytes));
}

QByteArray encodeLines(const QStringList &lines)
{
    QByteArray bytes;
    qsizetype size = 0;
    for (const QString &line : lines)
        size += line.size() + 2;
    bytes.reserve(size);
    for (const QString &line : lines) {
        bytes += ShiftJis::encodeOrThrow(line);
        bytes += "\r\n";
    }
    return bytes;
}

void writeLines(const QString &path, const QStringList &lines)
{
    writeBytes(path, encodeLines(lines));
}

void writeBytes(const QString &path, const QByteArray &bytes)
{
    QSaveFile file(path);
    errno = 0;
    // Unbuffered, so that every failed write is seen: a buffered one fails only in the
    // flush inside commit(), which then still puts the cut file in place of the old one.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        const int err = errno;
        throw Error(Messages::cannotCreateFile(path, err ? Messages::systemReason(err)
                                                         : file.errorString()));
    }
    if (file.write(bytes) != bytes.size() || !file.commit()) {
        const int err = errno;
        throw Error(Messages::cannotCreateFile(path, err ? Messages::systemReason(err)
                                                         : file.errorString()));
    }
    syncFolder(path);
}

} // namespace TextFile
