#pragma once

#include <QString>

// What the platform services say when the system refuses them, in one place.
namespace PlatformMessages {

QString cannotPowerOff();
QString cannotReboot();
QString noPowerPrivilege();
QString systemDoesNotAnswer();
QString targetNotFound(const QString &target);
QString noTarget();
QString cannotRun(const QString &program);
QString noOpener(const QString &what);

} // namespace PlatformMessages
