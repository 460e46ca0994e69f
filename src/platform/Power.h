#pragma once

#include <functional>

// Switching the computer off or restarting it. Two separate steps, so that a caller can
// refuse before anything is asked of the system: first the privilege, then the exit call.
enum class PowerAction { PowerOff, Reboot };

// The system's answer to whether the user may take an action.
enum class PowerPrivilege {
    Granted,
    Refused,  // the system says no, or there is nobody to ask
    NoAnswer, // the system did not answer within a few seconds
};

class Power
{
public:
    virtual ~Power();

    // Asks whether this user may take the action at all (possibly after authenticating) and
    // returns at once: a system that hangs must not hang the program. `answer` is called
    // later, on this thread, exactly once.
    virtual void mayExit(PowerAction action, std::function<void(PowerPrivilege)> answer) = 0;

    // Asks the system to take the action and returns at once: the system may ask the user
    // for a password first, and the program keeps answering meanwhile. `done` is called later,
    // on this thread, with whether the system accepted the request (the shutdown itself then
    // goes on without us) or refused or failed.
    virtual void exit(PowerAction action, std::function<void(bool accepted)> done) = 0;
};
