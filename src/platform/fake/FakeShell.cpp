#include "FakeShell.h"

#include "base/Error.h"

void FakeShell::open(const QString &target, const QString &parameters)
{
    calls.append({target, parameters});
    if (!failWith.isEmpty())
        throw Error(failWith);
}

void FakeShell::openWithFile(const QString &target, const QString &file)
{
    calls.append({target, file, true});
    if (!failWith.isEmpty())
        throw Error(failWith);
}
