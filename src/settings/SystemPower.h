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

// Switches the computer off or restarts it: the privilege first, then the exit call.
// Both operations return as soon as the system accepted the request; the shutdown then
// goes on by itself and closes this program like every other.
class SystemPower : public QObject
{
    Q_OBJECT

public:
    explicit SystemPower(Power &power, QObject *owner = nullptr);

    // Raise PowerError when the privilege is refused or the system refuses the request.
    void powerOff();
    void reboot();

private:
    void requestExit(PowerAction action, const QString &refusedMessage);

    Power &m_power;
};
