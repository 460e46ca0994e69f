#pragma once

#include "platform/Hotkeys.h"

// Hotkeys on X11: not yet grabbed.
class X11Hotkeys : public Hotkeys
{
public:
    bool grab(int, int, int) override { return false; }
    bool release(int) override { return false; }
    void takeFocus(QWindow &) override {}
};
