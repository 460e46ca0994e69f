#pragma once

#include "platform/Power.h"

#include <QList>

// Records both steps in the order they were asked; each step's answer can be set.
class FakePower : public Power
{
public:
    enum class Step { MayExit, Exit };

    struct Call
    {
        Step step;
        PowerAction action;
        bool operator==(const Call &) const = default;
    };

    // Answers at once with grantPrivilege, or not in time when the system is hung.
    void mayExit(PowerAction action, std::function<void(PowerPrivilege)> answer) override;
    // Answers at once with acceptExit.
    void exit(PowerAction action, std::function<void(bool accepted)> done) override;

    QList<Call> calls;
    bool grantPrivilege = true;
    bool hung = false;
    bool acceptExit = true;
};
