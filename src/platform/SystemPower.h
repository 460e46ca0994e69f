#pragma once

#include "platform/Power.h"

#include <QObject>

// Switches the computer off or restarts it: the privilege first, then the exit call. Neither
// step waits for the system, which may hang or ask the user for a password first: a refused
// privilege, a system that does not answer, and a refused exit are reported by refused(). An
// accepted request goes on by itself and closes this program like every other.
class SystemPower : public QObject
{
    Q_OBJECT

public:
    explicit SystemPower(Power &power, QObject *owner = nullptr);

    void powerOff();
    void reboot();

signals:
    // The request came to nothing; the message says why.
    void refused(const QString &message);

private:
    void requestExit(PowerAction action, const QString &refusedMessage);

    Power &m_power;
};
