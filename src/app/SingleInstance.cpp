#include "SingleInstance.h"

#include "base/InstanceSocket.h"

#include <QFile>
#include <QSocketNotifier>
#include <QTimer>

#include <cerrno>
#include <cstdio>
#include <memory>
#include <optional>
#include <sys/socket.h>
#include <unistd.h>
#include <utility>

namespace {

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

const char *wordOf(Request request)
{
    for (const auto &[known, word] : RequestWords)
        if (known == request)
            return word;
    return "show";
}

std::string_view viewOf(const QByteArray &bytes)
{
    return {bytes.constData(), size_t(bytes.size())};
}

// The folder is private to the user, yet root may connect too: only the user's own programs
// are heard.
bool callerIsThisUser(int caller)
{
    ucred credentials{};
    socklen_t size = sizeof credentials;
    return ::getsockopt(caller, SOL_SOCKET, SO_PEERCRED, &credentials, &size) == 0
           && credentials.uid == ::geteuid();
}

} // namespace

SingleInstance::SingleInstance(const QString &dataFolder, QObject *parent)
    : QObject(parent)
{
    std::string refusal;
    const std::string runtime =
        InstanceSocket::privateFolder(InstanceSocket::Environment::ofThisProcess(), refusal);
    if (runtime.empty()) {
        std::fprintf(stderr,
                     "tblaunch: no private folder for the socket a second start would find this "
                     "launcher by (%s): it runs alone\n",
                     refusal.c_str());
        return;
    }
    m_name = QFile::decodeName(QByteArray::fromStdString(InstanceSocket::path(
        runtime, InstanceSocket::cleanPath(viewOf(QFile::encodeName(dataFolder))))));
}

SingleInstance::SingleInstance(const QString &dataFolder, const QString &runtimeFolder,
                               QObject *parent)
    : QObject(parent)
    , m_name(QFile::decodeName(QByteArray::fromStdString(
          InstanceSocket::path(InstanceSocket::cleanPath(viewOf(QFile::encodeName(runtimeFolder))),
                               InstanceSocket::cleanPath(viewOf(QFile::encodeName(dataFolder)))))))
{
}

SingleInstance::~SingleInstance()
{
    delete m_notifier;
    InstanceSocket::release(QFile::encodeName(m_name).toStdString(), m_listener);
}

bool SingleInstance::claim(Request request, const QByteArray &token)
{
    if (m_name.isEmpty())
        return true;
    const std::string path = QFile::encodeName(m_name).toStdString();
    switch (InstanceSocket::claim(path, wordOf(request), viewOf(token), m_listener)) {
    case InstanceSocket::Claim::HandedOver:
        return false;
    case InstanceSocket::Claim::NoAnswer:
        std::fprintf(stderr, "tblaunch: the launcher holding %s.lock does not answer\n",
                     path.c_str());
        return false;
    case InstanceSocket::Claim::Runs:
        break;
    }
    if (m_listener.socket < 0)
        std::fprintf(stderr, "tblaunch: cannot listen at %s: this launcher runs alone\n",
                     path.c_str());
    else
        listen();
    return true;
}

void SingleInstance::listen()
{
    m_notifier = new QSocketNotifier(m_listener.socket, QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, [this] {
        const int caller =
            ::accept4(m_listener.socket, nullptr, nullptr, SOCK_CLOEXEC | SOCK_NONBLOCK);
        if (caller < 0)
            return;
        if (callerIsThisUser(caller))
            serve(caller);
        else
            ::close(caller);
    });
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
        // The line ends with its break or with the caller; a longer one is no request, nor is
        // one broken off by an error.
        if (got > 0 && end < 0 && line->size() <= LongestLine)
            return;
        done();
        if (got < 0 || line->size() > LongestLine)
            return;
        if (const auto request = requestOf(*line))
            emit requested(request->first, request->second);
    });
    patience->start(1000);
}

bool SingleInstance::send(Request request, const QByteArray &token) const
{
    return !m_name.isEmpty()
           && InstanceSocket::send(QFile::encodeName(m_name).toStdString(), wordOf(request),
                                   viewOf(token));
}
