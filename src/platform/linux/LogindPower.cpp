#include "LogindPower.h"

#include <QDBusConnection>
#include <QDBusError>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>

#include <limits>

namespace {

const char *canMethod(PowerAction action)
{
    return action == PowerAction::PowerOff ? "CanPowerOff" : "CanReboot";
}

const char *exitMethod(PowerAction action)
{
    return action == PowerAction::PowerOff ? "PowerOff" : "Reboot";
}

// The exit call waits while a polkit agent asks for a password; a timeout there would
// report a failure for a request that logind may still carry out once the user answers.
constexpr int ExitCallTimeout = std::numeric_limits<int>::max();

} // namespace

QDBusMessage LogindPower::managerCall(const char *method)
{
    return QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.login1"), QStringLiteral("/org/freedesktop/login1"),
        QStringLiteral("org.freedesktop.login1.Manager"), QString::fromLatin1(method));
}

LogindPower::LogindPower(std::chrono::milliseconds checkTimeout)
    : m_checkTimeout(checkTimeout)
{
}

void LogindPower::mayExit(PowerAction action, std::function<void(PowerPrivilege)> answer)
{
    auto *watcher = new QDBusPendingCallWatcher(QDBusConnection::systemBus().asyncCall(
        managerCall(canMethod(action)), int(m_checkTimeout.count())));
    QObject::connect(watcher, &QDBusPendingCallWatcher::finished, watcher,
                     [answer = std::move(answer)](QDBusPendingCallWatcher *finished) {
                         finished->deleteLater();
                         const QDBusMessage reply = finished->reply();
                         const QDBusError::ErrorType error = finished->error().type();
                         if (error == QDBusError::NoReply || error == QDBusError::Timeout) {
                             answer(PowerPrivilege::NoAnswer);
                             return;
                         }
                         // No bus, no logind or an odd answer all mean we may not: never go on on a
                         // guess.
                         const QString said = reply.type() == QDBusMessage::ReplyMessage
                                                      && reply.arguments().size() == 1
                                                  ? reply.arguments().constFirst().toString()
                                                  : QString();
                         answer(said == QLatin1String("yes") || said == QLatin1String("challenge")
                                    ? PowerPrivilege::Granted
                                    : PowerPrivilege::Refused);
                     });
}

void LogindPower::exit(PowerAction action, std::function<void(bool accepted)> done)
{
    QDBusMessage call = managerCall(exitMethod(action));
    call << true; // interactive: let polkit ask for a password where it needs one
    call.setInteractiveAuthorizationAllowed(true);
    auto *watcher =
        new QDBusPendingCallWatcher(QDBusConnection::systemBus().asyncCall(call, ExitCallTimeout));
    QObject::connect(watcher, &QDBusPendingCallWatcher::finished, watcher,
                     [done = std::move(done)](QDBusPendingCallWatcher *finished) {
                         finished->deleteLater();
                         done(!finished->isError());
                     });
}
