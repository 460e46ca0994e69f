#include "FakeHotkeys.h"

bool FakeHotkeys::grab(int id, int virtualKey, int modifiers)
{
    const Combination combination{virtualKey, modifiers};
    if (grabbed.contains(id) || takenByOthers.contains(combination)
        || grabbed.values().contains(combination))
        return false;
    grabbed.insert(id, combination);
    return true;
}

bool FakeHotkeys::release(int id)
{
    return grabbed.remove(id) > 0;
}

void FakeHotkeys::activate(QWindow &window)
{
    ++focusRequests;
    activated = &window;
}
