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
// An installed application that did not start, and the system's reason.
QString cannotStart(const QString &application, const QString &why);
QString noOpener(const QString &what);

} // namespace PlatformMessages
