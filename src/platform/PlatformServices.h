#pragma once

#include "Shell.h"

#include <memory>

// The services of the platform the program runs on; main() makes them once.
struct PlatformServices
{
    std::unique_ptr<Shell> shell;
};

PlatformServices createPlatformServices();
