#pragma once

#include "base/Error.h"
#include "platform/Power.h"

#include <QObject>

// Raised when the computer cannot be switched off or restarted.
class PowerError : public Error
{
public:
    using Error::Error;
};

// Switches the computer off or restarts it: the privilege first, then the exit call. The
// exit call does not wait for the system's answer, which may come only after the user has
// typed a password; a refusal is reported by refused(). An accepted request goes on by
// itself and closes this program like every other.
class SystemPower : public QObject
{
    Q_OBJECT

public:
    explicit SystemPower(Power &power, QObject *owner = nullptr);

    // Raise PowerError when the privilege is refused.
    void powerOff();
    void reboot();

signals:
    // The system refused or failed the request; the message says which action.
    void refused(const QString &message);

private:
    void requestExit(PowerAction action, const QString &refusedMessage);

    Power &m_power;
};
