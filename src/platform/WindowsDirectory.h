#pragma once

#include <QString>

// The system's Windows directory, or "" where there is none. Each platform has its own source.
QString windowsDirectory();
