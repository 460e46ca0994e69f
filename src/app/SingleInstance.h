#pragma once

#include <QObject>
#include <QString>

class QSocketNotifier;

// One launcher per data folder: a second start hands over to the running one, which comes
// forward, instead of grabbing the same hotkey and writing the same files. The running one
// listens on a local (Unix domain) socket in the runtime folder named after its data folder.
// Plain sockets under a notifier: Qt's network library would cost every start 1.6 MiB.
class SingleInstance : public QObject
{
    Q_OBJECT

public:
    explicit SingleInstance(const QString &dataFolder, QObject *parent = nullptr);
    ~SingleInstance() override;

    // True when this start is the one to run (it listens from now on); false when another
    // runs for the same data folder and has been asked to come forward. A socket left behind
    // by a crashed run is cleared away.
    bool claim();

    const QString &socketName() const { return m_name; }

signals:
    // A later start asked this one to come forward.
    void broughtForward();

private:
    bool listen();
    bool handOver() const;

    QString m_name;
    int m_socket = -1;
    QSocketNotifier *m_notifier = nullptr;
};
