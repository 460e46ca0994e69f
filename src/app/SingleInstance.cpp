#include "SingleInstance.h"

#include "base/InstanceSocket.h"

#include <QDir>
#include <QFile>
#include <QSocketNotifier>
#include <QStandardPaths>
#include <QTimer>

#include <cerrno>
#include <cstring>
#include <memory>
#include <optional>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>
#include <utility>

namespace {

// A new socket and the address it is to listen on or connect to; -1 when the name does not
// fit an address or there is no socket to be had.
int socketFor(const QString &name, sockaddr_un &address)
{
    const QByteArray path = QFile::encodeName(name);
    if (path.size() >= qsizetype(sizeof address.sun_path))
        return -1;
    std::memset(&address, 0, sizeof address);
    address.sun_family = AF_UNIX;
    std::memcpy(address.sun_path, path.constData(), size_t(path.size()));
    return ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
}

using Request = SingleInstance::Request;

constexpr std::pair<Request, const char *> RequestWords[] = {
    {Request::Show, "show"},
    {Request::Hide, "hide"},
    {Request::Toggle, "toggle"},
};

// The longest line a caller may write: a word, a space and a token.
constexpr qsizetype LongestLine = 8 + 1 + qsizetype(InstanceSocket::MaxTokenLength);

// A caller's line without its line break; an empty one (a caller that only connects) asks to
// be shown. A line whose token is none asks nothing.
std::optional<std::pair<Request, QByteArray>> requestOf(const QByteArray &line)
{
    if (line.isEmpty())
        return std::pair(Request::Show, QByteArray());
    const qsizetype space = line.indexOf(' ');
    const QByteArray word = space < 0 ? line : line.left(space);
    const QByteArray token = space < 0 ? QByteArray() : line.mid(space + 1);
    if (space >= 0
        && !InstanceSocket::isToken(std::string_view(token.constData(), size_t(token.size()))))
        return std::nullopt;
    for (const auto &[request, known] : RequestWords)
        if (word == known)
            return std::pair(request, token);
    return std::nullopt;
}

} // namespace

SingleInstance::SingleInstance(const QString &dataFolder, QObject *parent)
    : QObject(parent)
{
    QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (runtime.isEmpty())
        runtime = QDir::tempPath();
    // Both paths clean, as the summon command makes them.
    m_name = QFile::decodeName(QByteArray::fromStdString(
        InstanceSocket::path(QFile::encodeName(QDir::cleanPath(runtime)).toStdString(),
                             QFile::encodeName(QDir::cleanPath(dataFolder)).toStdString())));
}

SingleInstance::~SingleInstance()
{
    if (m_socket < 0)
        return;
    ::close(m_socket);
    ::unlink(QFile::encodeName(m_name).constData());
}

bool SingleInstance::claim(Request request, const QByteArray &token)
{
    if (listen())
        return true;
    if (send(request, token))
        return false;
    // Nobody answers: a crashed run's socket. Should a second start win the race to it, the
    // first hands over after all.
    ::unlink(QFile::encodeName(m_name).constData());
    return listen() || !send(request, token);
}

bool SingleInstance::listen()
{
    sockaddr_un address;
    const int fd = socketFor(m_name, address);
    if (fd < 0)
        return false;
    if (::bind(fd, reinterpret_cast<const sockaddr *>(&address), sizeof address) != 0
        || ::listen(fd, 8) != 0) {
        ::close(fd);
        return false;
    }
    m_socket = fd;
    m_notifier = new QSocketNotifier(fd, QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, [this] {
        const int caller = ::accept4(m_socket, nullptr, nullptr, SOCK_CLOEXEC | SOCK_NONBLOCK);
        if (caller >= 0)
            serve(caller);
    });
    return true;
}

void SingleInstance::serve(int caller)
{
    auto *readable = new QSocketNotifier(caller, QSocketNotifier::Read, this);
    auto *patience = new QTimer(readable);
    patience->setSingleShot(true);
    auto line = std::make_shared<QByteArray>();
    const auto done = [readable, patience, caller] {
        patience->stop();
        readable->setEnabled(false);
        readable->deleteLater();
        ::close(caller);
    };
    connect(patience, &QTimer::timeout, readable, done);
    connect(readable, &QSocketNotifier::activated, this, [this, caller, line, done] {
        char buffer[128];
        const ssize_t got = ::read(caller, buffer, sizeof buffer);
        if (got < 0 && (errno == EAGAIN || errno == EINTR))
            return;
        const qsizetype end = got > 0 ? QByteArrayView(buffer, got).indexOf('\n') : -1;
        line->append(buffer, got > 0 ? (end >= 0 ? end : got) : 0);
        // The line ends with its break or with the caller; a longer one is no request.
        if (got > 0 && end < 0 && line->size() <= LongestLine)
            return;
        done();
        if (line->size() > LongestLine)
            return;
        if (const auto request = requestOf(got < 0 ? QByteArray() : *line))
            emit requested(request->first, request->second);
    });
    patience->start(1000);
}

bool SingleInstance::send(Request request, const QByteArray &token) const
{
    const char *word = "show";
    for (const auto &[known, name] : RequestWords)
        if (known == request)
            word = name;
    return InstanceSocket::send(QFile::encodeName(m_name).toStdString(), word,
                                std::string_view(token.constData(), size_t(token.size())));
}
