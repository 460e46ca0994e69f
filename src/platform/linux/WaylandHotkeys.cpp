#include "WaylandHotkeys.h"

#include <cstdio>

bool WaylandHotkeys::grab(int, int, int)
{
    if (!m_told)
        std::fputs("tblaunch: a Wayland desktop lets no program grab a key: bind "
                   "\"tblaunch-summon --toggle\" to one in its shortcut settings "
                   "(tblaunch --shortcut-help says how)\n",
                   stderr);
    m_told = true;
    return false;
}
