#pragma once

#include "Hotkeys.h"
#include "Icons.h"
#include "InstalledApplications.h"
#include "KeyNames.h"
#include "Power.h"
#include "Shell.h"
#include "WindowFrame.h"

#include <memory>

class QObject;

// The services of the platform the program runs on; main() makes them once.
struct PlatformServices
{
    std::unique_ptr<Shell> shell;
    std::unique_ptr<KeyNames> keyNames;
    std::unique_ptr<Power> power;
    std::unique_ptr<Icons> icons;
    std::unique_ptr<WindowFrame> windowFrame;
    std::unique_ptr<Hotkeys> hotkeys;
    std::unique_ptr<InstalledApplications> applications;
};

PlatformServices createPlatformServices();

// What the toolkit is told before the application is made, and what follows once it is.
//
// The window system: on a Wayland desktop (WAYLAND_DISPLAY set) the program is a Wayland
// client, where the toolkit by itself would take X11 through XWayland on some desktops,
// unless a platform is named (QT_QPA_PLATFORM, -platform); X11 is the fallback.
//
// Dead keys and compose sequences for typing without an input method: where the toolkit's own
// way reads the locale's compose table at the first key press (a few milliseconds of the first
// keystroke, and the table held all day), the program takes it over on X11, reading it at the
// first dead key: prepareToolkit() switches the toolkit's off,
// startKeyComposition() starts the program's own once the application exists, and returns
// what must live as long as the application (null when nothing was taken over, as with an
// input method named). It also takes back from the environment what prepareToolkit() put
// there, which programs started from here would inherit.
void prepareToolkit(int argc, char **argv);
std::unique_ptr<QObject> startKeyComposition();
