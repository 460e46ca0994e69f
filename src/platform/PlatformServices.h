#pragma once

#include "KeyNames.h"
#include "Shell.h"

#include <memory>

// The services of the platform the program runs on; main() makes them once.
struct PlatformServices
{
    std::unique_ptr<Shell> shell;
    std::unique_ptr<KeyNames> keyNames;
};

PlatformServices createPlatformServices();
