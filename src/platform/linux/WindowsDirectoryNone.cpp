#include "platform/WindowsDirectory.h"

// Systems other than Windows have no Windows directory, hence no Japanese system font there.
QString windowsDirectory()
{
    return {};
}
