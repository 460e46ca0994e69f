#include "Hotkeys.h"

Hotkeys::~Hotkeys() = default;
