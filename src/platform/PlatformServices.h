#pragma once

#include "Hotkeys.h"
#include "Icons.h"
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
};

PlatformServices createPlatformServices();

// Dead keys and compose sequences for typing without an input method. Where the toolkit's own
// way reads the locale's compose table at the first key press (a few milliseconds of the first
// keystroke), the program takes it over: prepareKeyComposition() switches the toolkit's off
// before the application is made, startKeyComposition() starts the program's own once it
// exists, and returns what must live as long as the application (null when nothing was taken
// over, as with an input method named).
void prepareKeyComposition(int argc, char **argv);
std::unique_ptr<QObject> startKeyComposition();
