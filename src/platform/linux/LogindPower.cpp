#include "LogindPower.h"

#include <QDBusConnection>
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

bool LogindPower::mayExit(PowerAction action)
{
    // No bus, no logind or an odd answer all mean we may not: never go on on a guess.
    const QDBusMessage reply = QDBusConnection::systemBus().call(managerCall(canMethod(action)));
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().size() != 1)
        return false;
    const QString answer = reply.arguments().constFirst().toString();
    return answer == QLatin1String("yes") || answer == QLatin1String("challenge");
}

void LogindPower::exit(PowerAction action, std::function<void(bool accepted)> done)
{
    QDBusMessage call = managerCall(exitMethod(action));
    call << true; // interactive: let polkit ask for a password where it needs one
    call.setInteractiveAuthorizationAllowed(true);
    auto *watcher = new QDBusPendingCallWatcher(
        QDBusConnection::systemBus().asyncCall(call, ExitCallTimeout));
    QObject::connect(watcher, &QDBusPendingCallWatcher::finished, watcher,
                     [done = std::move(done)](QDBusPendingCallWatcher *finished) {
                         finished->deleteLater();
                         done(!finished->isError());
                     });
}
