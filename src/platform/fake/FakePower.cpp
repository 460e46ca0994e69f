#include "FakePower.h"

bool FakePower::mayExit(PowerAction action)
{
    calls.append({Step::MayExit, action});
    return grantPrivilege;
}

void FakePower::exit(PowerAction action, std::function<void(bool accepted)> done)
{
    calls.append({Step::Exit, action});
    done(acceptExit);
}
