#include "LinuxIcons.h"
#include "LinuxKeyNames.h"
#include "LinuxShell.h"
#include "LogindPower.h"
#include "X11Hotkeys.h"
#include "X11WindowFrame.h"
#include "platform/PlatformServices.h"

PlatformServices createPlatformServices()
{
    PlatformServices services;
    services.shell = std::make_unique<LinuxShell>();
    services.keyNames = std::make_unique<LinuxKeyNames>();
    services.power = std::make_unique<LogindPower>();
    services.icons = std::make_unique<LinuxIcons>();
    services.windowFrame = std::make_unique<X11WindowFrame>();
    services.hotkeys = std::make_unique<X11Hotkeys>();
    return services;
}
