#pragma once

#include "Hotkeys.h"
#include "Icons.h"
#include "KeyNames.h"
#include "Power.h"
#include "Shell.h"
#include "WindowFrame.h"

#include <memory>

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
