#include "ExitWin32.h"

TExitWin::TExitWin(Power &power, QObject *owner)
    : QObject(owner)
    , m_power(power)
{
}

void TExitWin::PowerOff()
{
    exitWindows(PowerAction::PowerOff,
                QStringLiteral("コンピュータの電源を切ることができませんでした。"));
}

void TExitWin::Reboot()
{
    exitWindows(PowerAction::Reboot, QStringLiteral("Windows を再起動できませんでした。"));
}

void TExitWin::exitWindows(PowerAction action, const QString &refusedMessage)
{
    // Without the privilege the exit call is not even tried.
    if (!m_power.mayExit(action))
        throw EExitError(QStringLiteral("特権の取得に失敗しました。"));
    if (!m_power.exit(action))
        throw EExitError(refusedMessage);
}
