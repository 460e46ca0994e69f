#include "TextFile.h"

#include "Error.h"
#include "Messages.h"
#include "ShiftJis.h"

#include <QFileInfo>

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
    forEachLine(text, n,
                [&](qsizetype from, qsizetype size) { lines.append(make(text + from, size)); });
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
        if (lines < 0)
            continue;
        // Once the lines wanted have ended, unless a read stopped between a CR and its LF;
        // and at the limit, whether they have or not.
        if (bytes.size() >= FirstLinesLimit) {
            bytes.truncate(FirstLinesLimit);
            break;
        }
        if ((ended += lineEnds(QByteArrayView(buffer, got), last)) >= lines && last != '\r')
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

QString decode(const QByteArray &bytes)
{
    return ShiftJis::isAscii(bytes) ? QString::fromLatin1(bytes) : ShiftJis::decode(bytes);
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

QString temporaryName(const QString &path)
{
    const QFileInfo file(path);
    return file.path() + QStringLiteral("/.") + file.fileName() + QStringLiteral(".tbnew");
}

bool isTemporaryName(QStringView fileName)
{
    return fileName.size() > 7 && fileName.startsWith(u'.') && fileName.endsWith(u".tbnew");
}

namespace {

// The file a path names, links followed: a linked file is replaced where it lies and the
// link stays. Empty when links go round in circles.
QString linkedFile(const QString &path)
{
    QString file = path;
    QFileInfo info(file);
    for (int depth = 0; info.isSymLink(); ++depth) {
        if (depth == 40)
            return {};
        file = info.symLinkTarget();
        info.setFile(file);
    }
    return file;
}

bool writeAll(int fd, const QByteArray &bytes)
{
    const char *data = bytes.constData();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t written = ::write(fd, data, size_t(left));
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0) {
            if (written == 0)
                errno = ENOSPC;
            return false;
        }
        data += written;
        left -= written;
    }
    return ::fdatasync(fd) == 0 || errno == EINVAL;
}

} // namespace

void writeBytes(const QString &path, const QByteArray &bytes)
{
    const QString target = linkedFile(path);
    if (target.isEmpty())
        throw Error(Messages::cannotCreateFile(path, Messages::systemReason(ELOOP)));
    const QByteArray targetName = QFile::encodeName(target);
    const QByteArray tempName = QFile::encodeName(temporaryName(target));
    const QByteArray folder = QFile::encodeName(QFileInfo(target).path());
    struct stat old
    {
    };
    const bool replacing = ::stat(targetName.constData(), &old) == 0;

    // Written as a file without a name, which a kill or a full disk makes vanish, then named
    // beside the old one and renamed over it: the old file stays whole until the new one is.
    // Only the moment between naming and renaming can leave the temporary name, which the
    // next write of the file replaces. Where the file system has no nameless files, the
    // temporary name is written instead. 0, or the system's error number.
    const auto attempt = [&](bool nameless) {
        ::unlink(tempName.constData());
        const int fd =
            nameless ? ::open(folder.constData(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666)
                     : ::open(tempName.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0)
            return errno;
        if (replacing)
            ::fchmod(fd, old.st_mode & 07777);
        bool ok = writeAll(fd, bytes);
        if (ok && nameless) {
            const QByteArray self = "/proc/self/fd/" + QByteArray::number(fd);
            ok = ::linkat(AT_FDCWD, self.constData(), AT_FDCWD, tempName.constData(),
                          AT_SYMLINK_FOLLOW)
                 == 0;
        }
        ok = ok && ::rename(tempName.constData(), targetName.constData()) == 0;
        const int err = ok ? 0 : errno;
        ::close(fd);
        if (!ok)
            ::unlink(tempName.constData());
        return err;
    };
    int err = attempt(true);
    // No nameless files here (EOPNOTSUPP, EISDIR, EINVAL), or no /proc to name them by.
    if (err == EOPNOTSUPP || err == EISDIR || err == EINVAL || err == ENOENT)
        err = attempt(false);
    if (err != 0)
        throw Error(Messages::cannotCreateFile(path, Messages::systemReason(err)));
    syncFolder(target);
}

} // namespace TextFile
