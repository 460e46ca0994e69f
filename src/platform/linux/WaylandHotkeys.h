#pragma once

#include "platform/Hotkeys.h"

// A Wayland desktop lets no program grab a key: the desktop's own shortcut runs the summon
// command instead. Every grab fails, and the first says so on the standard error.
class WaylandHotkeys : public Hotkeys
{
public:
    bool grab(int id, int virtualKey, int modifiers) override;
    bool release(int) override { return false; }
    void activate(QWindow &) override {}

private:
    bool m_told = false;
};
