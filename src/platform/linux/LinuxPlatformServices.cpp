#include "LinuxIcons.h"
#include "LinuxKeyNames.h"
#include "LinuxShell.h"
#include "LogindPower.h"
#include "X11Hotkeys.h"
#include "X11WindowFrame.h"
#include "XkbCompose.h"
#include "platform/PlatformServices.h"

#include <QGuiApplication>

#include <cstring>

namespace {

bool composingOurselves = false;

// Whether the toolkit would compose keys with its own context: when no input method is named
// and the platform will be X11 (named, or by default outside a Wayland session).
bool toolkitComposes(int argc, char **argv)
{
    if (!qEnvironmentVariableIsEmpty("QT_IM_MODULE")
        || !qEnvironmentVariableIsEmpty("QT_IM_MODULES"))
        return false;
    QByteArray platform = qgetenv("QT_QPA_PLATFORM");
    for (int i = 1; i + 1 < argc; ++i)
        if (std::strcmp(argv[i], "-platform") == 0 || std::strcmp(argv[i], "--platform") == 0)
            platform = argv[i + 1];
    if (platform.isEmpty())
        return qgetenv("XDG_SESSION_TYPE") != "wayland";
    return platform.startsWith("xcb");
}

} // namespace

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

void prepareKeyComposition(int argc, char **argv)
{
    composingOurselves = toolkitComposes(argc, argv);
    if (composingOurselves)
        qputenv("QT_IM_MODULE", "none");
}

std::unique_ptr<QObject> startKeyComposition()
{
    if (!composingOurselves)
        return nullptr;
    // Gone again before any program is started from here, which would inherit it.
    qunsetenv("QT_IM_MODULE");
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        return nullptr;
    auto compose = std::make_unique<XkbCompose>();
    compose->start();
    return compose;
}
