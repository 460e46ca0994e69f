#include "SingleInstance.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QSocketNotifier>
#include <QStandardPaths>

#include <cerrno>
#include <cstring>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

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

} // namespace

SingleInstance::SingleInstance(const QString &dataFolder, QObject *parent)
    : QObject(parent)
{
    QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (runtime.isEmpty())
        runtime = QDir::tempPath();
    const QByteArray hash = QCryptographicHash::hash(QDir::cleanPath(dataFolder).toUtf8(),
                                                     QCryptographicHash::Sha1)
                                .toHex()
                                .left(16);
    m_name = runtime + QStringLiteral("/tblaunch-") + QString::fromLatin1(hash);
}

SingleInstance::~SingleInstance()
{
    if (m_socket < 0)
        return;
    ::close(m_socket);
    ::unlink(QFile::encodeName(m_name).constData());
}

bool SingleInstance::claim()
{
    if (listen())
        return true;
    if (handOver())
        return false;
    // Nobody answers: a crashed run's socket. Should a second start win the race to it, the
    // first hands over after all.
    ::unlink(QFile::encodeName(m_name).constData());
    return listen() || !handOver();
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
        const int caller = ::accept4(m_socket, nullptr, nullptr, SOCK_CLOEXEC);
        if (caller < 0)
            return;
        ::close(caller);
        emit broughtForward();
    });
    return true;
}

bool SingleInstance::handOver() const
{
    sockaddr_un address;
    const int fd = socketFor(m_name, address);
    if (fd < 0)
        return false;
    // A listening launcher takes the connection at once; a dead socket refuses it.
    const bool answered =
        ::connect(fd, reinterpret_cast<const sockaddr *>(&address), sizeof address) == 0;
    ::close(fd);
    return answered;
}
