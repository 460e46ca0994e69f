#pragma once

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

    // Asks the system to take the action; returns once it accepted the request, while the
    // shutdown itself goes on without us. False when the system refused or failed.
    virtual bool exit(PowerAction action) = 0;
};
