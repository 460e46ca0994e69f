#include "LinuxKeyNames.h"
#include "LinuxShell.h"
#include "platform/PlatformServices.h"

PlatformServices createPlatformServices()
{
    PlatformServices services;
    services.shell = std::make_unique<LinuxShell>();
    services.keyNames = std::make_unique<LinuxKeyNames>();
    return services;
}
