#pragma once

#include "base/InstanceSocket.h"

#include <QObject>
#include <QString>

class QSocketNotifier;

// One launcher per data folder: a second start hands over to the running one, which comes
// forward (or goes, or turns about, as the second start was asked), instead of grabbing the
// same hotkey and writing the same files. The running one listens on a local (Unix domain)
// socket in the user's private folder (InstanceSocket), named after its data folder, and
// hears only the user's own programs; a caller writes one line naming its request ("show",
// "hide", "toggle"), followed by a space and the activation token the desktop gave the caller
// when it has one, and one that writes nothing asks to be shown.
// Plain sockets under a notifier: Qt's network library would cost every start 1.6 MiB.
class SingleInstance : public QObject
{
    Q_OBJECT

public:
    // What a start asks of the running launcher.
    enum class Request { Show, Hide, Toggle };

    // Without a private folder the launcher runs alone, and says so on stderr.
    explicit SingleInstance(const QString &dataFolder, QObject *parent = nullptr);
    // With the socket in the folder given (tests).
    SingleInstance(const QString &dataFolder, const QString &runtimeFolder,
                   QObject *parent = nullptr);
    ~SingleInstance() override;

    // True when this start is the one to run (it listens from now on, where it can); false
    // when another runs for the same data folder and has been handed the request. A socket
    // left behind by a crashed run is cleared away; of two starts racing to it, one runs.
    bool claim(Request request = Request::Show, const QByteArray &token = {});
    // Hands the request to a running launcher without ever becoming one; false when none runs.
    bool send(Request request, const QByteArray &token = {}) const;

    // Empty without a private folder.
    const QString &socketName() const { return m_name; }

signals:
    // A later start asked this one to come forward, to go, or to turn about, with the token
    // by which the desktop lets it take the focus (empty when there was none).
    void requested(SingleInstance::Request request, const QByteArray &token);

private:
    void listen();
    // Reads a caller's line, then answers it; a caller that says nothing for a second, or
    // whose line breaks off in an error, is dropped.
    void serve(int caller);

    QString m_name;
    InstanceSocket::Listener m_listener;
    QSocketNotifier *m_notifier = nullptr;
};
