#pragma once

#include <QLocalServer>
#include <QObject>
#include <QString>

// One launcher per data folder: a second start hands over to the running one, which comes
// forward, instead of grabbing the same hotkey and writing the same files. The running one
// listens on a local socket in the runtime folder named after its data folder.
class SingleInstance : public QObject
{
    Q_OBJECT

public:
    explicit SingleInstance(const QString &dataFolder, QObject *parent = nullptr);

    // True when this start is the one to run (it listens from now on); false when another
    // runs for the same data folder and has been asked to come forward. A socket left behind
    // by a crashed run is cleared away.
    bool claim();

    const QString &socketName() const { return m_name; }

signals:
    // A later start asked this one to come forward.
    void broughtForward();

private:
    bool handOver();

    QString m_name;
    QLocalServer m_server;
};
