#include "SystemPower.h"

#include "PlatformMessages.h"

#include <QPointer>

SystemPower::SystemPower(Power &power, QObject *owner)
    : QObject(owner)
    , m_power(power)
{
}

void SystemPower::powerOff()
{
    requestExit(PowerAction::PowerOff, PlatformMessages::cannotPowerOff());
}

void SystemPower::reboot()
{
    requestExit(PowerAction::Reboot, PlatformMessages::cannotReboot());
}

void SystemPower::requestExit(PowerAction action, const QString &refusedMessage)
{
    // The answers may come after this object is gone, at the end of the program.
    m_power.mayExit(action, [self = QPointer(this), action, refusedMessage](PowerPrivilege may) {
        if (!self)
            return;
        const QString noPrivilege = PlatformMessages::noPowerPrivilege();
        switch (may) {
        case PowerPrivilege::Refused:
            // Without the privilege the exit call is not even tried.
            emit self->refused(noPrivilege);
            return;
        case PowerPrivilege::NoAnswer:
            emit self->refused(noPrivilege + u'\n' + PlatformMessages::systemDoesNotAnswer());
            return;
        case PowerPrivilege::Granted:
            break;
        }
        self->m_power.exit(action, [self, refusedMessage](bool accepted) {
            if (self && !accepted)
                emit self->refused(refusedMessage);
        });
    });
}
