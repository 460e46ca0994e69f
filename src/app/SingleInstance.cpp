#include "SingleInstance.h"

#include <QCryptographicHash>
#include <QDir>
#include <QLocalSocket>
#include <QStandardPaths>

namespace {

// A running launcher answers at once; a dead socket refuses at once.
constexpr int kAnswerMs = 1000;

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
    connect(&m_server, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket *caller = m_server.nextPendingConnection()) {
            connect(caller, &QLocalSocket::disconnected, caller, &QObject::deleteLater);
            emit broughtForward();
        }
    });
}

bool SingleInstance::claim()
{
    if (m_server.listen(m_name))
        return true;
    if (handOver())
        return false;
    // Nobody answers: a crashed run's socket.
    QLocalServer::removeServer(m_name);
    return m_server.listen(m_name) || !handOver();
}

bool SingleInstance::handOver()
{
    QLocalSocket socket;
    socket.connectToServer(m_name);
    if (!socket.waitForConnected(kAnswerMs))
        return false;
    socket.disconnectFromServer();
    return true;
}
