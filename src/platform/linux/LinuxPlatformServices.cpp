#include "HelperApplications.h"
#include "LinuxIcons.h"
#include "LinuxKeyNames.h"
#include "LinuxShell.h"
#include "LogindPower.h"
#include "PortalHotkeys.h"
#include "SoftwareDrawing.h"
#include "WaylandWindowFrame.h"
#include "X11Hotkeys.h"
#include "X11WindowFrame.h"
#include "XkbCompose.h"
#include "platform/PlatformServices.h"

#include <QGuiApplication>

#include <cstring>

namespace {

bool composingOurselves = false;
bool platformChosen = false;

// The platform named on the command line or in the environment; empty when none is.
QByteArray namedPlatform(int argc, char **argv)
{
    QByteArray platform = qgetenv("QT_QPA_PLATFORM");
    for (int i = 1; i + 1 < argc; ++i)
        if (std::strcmp(argv[i], "-platform") == 0 || std::strcmp(argv[i], "--platform") == 0)
            platform = argv[i + 1];
    return platform;
}

// Whether the toolkit would compose keys with its own context: when no input method is named
// and the platform will be X11 (named, or by default outside a Wayland session).
bool toolkitComposes(const QByteArray &platform)
{
    if (!qEnvironmentVariableIsEmpty("QT_IM_MODULE")
        || !qEnvironmentVariableIsEmpty("QT_IM_MODULES"))
        return false;
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
    services.applications = std::make_unique<HelperApplications>();
    if (QGuiApplication::platformName() == QLatin1String("wayland")) {
        services.windowFrame = std::make_unique<WaylandWindowFrame>();
        services.hotkeys = std::make_unique<PortalHotkeys>(*services.windowFrame);
    } else {
        services.windowFrame = std::make_unique<X11WindowFrame>();
        services.hotkeys = std::make_unique<X11Hotkeys>();
    }
    return services;
}

void prepareToolkit(int argc, char **argv)
{
    QByteArray platform = namedPlatform(argc, argv);
    if (platform.isEmpty() && !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")) {
        platform = "wayland;xcb";
        qputenv("QT_QPA_PLATFORM", platform);
        platformChosen = true;
    }
    // What the toolkit takes without a name: X11, unless a Wayland display is named.
    SoftwareDrawing::prepare(platform.isEmpty() ? QByteArray("xcb") : platform);
    composingOurselves = toolkitComposes(platform);
    if (composingOurselves)
        qputenv("QT_IM_MODULE", "none");
}

std::unique_ptr<QObject> startKeyComposition()
{
    // Gone again before any program is started from here, which would inherit them.
    if (platformChosen)
        qunsetenv("QT_QPA_PLATFORM");
    SoftwareDrawing::settle();
    if (!composingOurselves)
        return nullptr;
    qunsetenv("QT_IM_MODULE");
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        return nullptr;
    auto compose = std::make_unique<XkbCompose>();
    compose->start();
    return compose;
}
