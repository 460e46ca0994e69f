#include "LinuxShell.h"
#include "platform/PlatformServices.h"

PlatformServices createPlatformServices()
{
    PlatformServices services;
    services.shell = std::make_unique<LinuxShell>();
    return services;
}
