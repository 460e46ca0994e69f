#pragma once

#include "platform/Power.h"

class QDBusMessage;

// Powers off and restarts through systemd-logind on the system bus; polkit decides who may,
// and may ask the user for a password on the way.
class LogindPower : public Power
{
public:
    bool mayExit(PowerAction action) override;
    void exit(PowerAction action, std::function<void(bool accepted)> done) override;

private:
    static QDBusMessage managerCall(const char *method);
};
