#pragma once

#include <functional>

// Switching the computer off or restarting it. Two separate steps, so that a caller can
// refuse before anything is asked of the system: first the privilege, then the exit call.
enum class PowerAction { PowerOff, Reboot };

class Power
{
public:
    virtual ~Power();

    // Whether this user may take the action at all (possibly after authenticating).
    // False when the system says no or cannot be asked.
    virtual bool mayExit(PowerAction action) = 0;

    // Asks the system to take the action and returns at once: the system may ask the user
    // for a password first, and the program keeps answering meanwhile. `done` is called later,
    // on this thread, with whether the system accepted the request (the shutdown itself then
    // goes on without us) or refused or failed.
    virtual void exit(PowerAction action, std::function<void(bool accepted)> done) = 0;
};
