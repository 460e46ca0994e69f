#include "FakePower.h"

void FakePower::mayExit(PowerAction action, std::function<void(PowerPrivilege)> answer)
{
    calls.append({Step::MayExit, action});
    if (hung)
        answer(PowerPrivilege::NoAnswer);
    else
        answer(grantPrivilege ? PowerPrivilege::Granted : PowerPrivilege::Refused);
}

void FakePower::exit(PowerAction action, std::function<void(bool accepted)> done)
{
    calls.append({Step::Exit, action});
    done(acceptExit);
}
