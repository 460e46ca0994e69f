#pragma once

#include "base/Error.h"
#include "platform/Power.h"

#include <QObject>

// Raised when the computer cannot be switched off or restarted.
class EExitError : public Error
{
public:
    using Error::Error;
};

// Switches the computer off or restarts it: the privilege first, then the exit call.
// Both operations return as soon as the system accepted the request; the shutdown then
// goes on by itself and closes this program like every other.
class TExitWin : public QObject
{
    Q_OBJECT

public:
    explicit TExitWin(Power &power, QObject *owner = nullptr);

    // Raise EExitError when the privilege is refused or the system refuses the request.
    void PowerOff();
    void Reboot();

private:
    void exitWindows(PowerAction action, const QString &refusedMessage);

    Power &m_power;
};
