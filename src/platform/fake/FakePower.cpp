#include "FakePower.h"

bool FakePower::mayExit(PowerAction action)
{
    calls.append({Step::MayExit, action});
    return grantPrivilege;
}

bool FakePower::exit(PowerAction action)
{
    calls.append({Step::Exit, action});
    return acceptExit;
}
