#pragma once

#include "platform/Power.h"

#include <chrono>

class QDBusMessage;

// Powers off and restarts through systemd-logind on the system bus; polkit decides who may,
// and may ask the user for a password on the way.
class LogindPower : public Power
{
public:
    // logind answers whether we may at once: waiting longer than the time given only means
    // that it hangs.
    explicit LogindPower(std::chrono::milliseconds checkTimeout = std::chrono::seconds(5));

    void mayExit(PowerAction action, std::function<void(PowerPrivilege)> answer) override;
    void exit(PowerAction action, std::function<void(bool accepted)> done) override;

private:
    static QDBusMessage managerCall(const char *method);

    std::chrono::milliseconds m_checkTimeout;
};
