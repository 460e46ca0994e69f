#include "SystemPower.h"

#include <QPointer>

SystemPower::SystemPower(Power &power, QObject *owner)
    : QObject(owner)
    , m_power(power)
{
}

void SystemPower::powerOff()
{
    requestExit(PowerAction::PowerOff,
                QStringLiteral("コンピュータの電源を切ることができませんでした。"));
}

void SystemPower::reboot()
{
    requestExit(PowerAction::Reboot, QStringLiteral("Windows を再起動できませんでした。"));
}

void SystemPower::requestExit(PowerAction action, const QString &refusedMessage)
{
    // Without the privilege the exit call is not even tried.
    if (!m_power.mayExit(action))
        throw PowerError(QStringLiteral("特権の取得に失敗しました。"));
    // The answer may come after this object is gone, at the end of the program.
    m_power.exit(action, [self = QPointer(this), refusedMessage](bool accepted) {
        if (self && !accepted)
            emit self->refused(refusedMessage);
    });
}
