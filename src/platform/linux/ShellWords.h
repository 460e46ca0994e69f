#pragma once

#include <QStringList>

// Splits a parameter string into arguments as a POSIX shell would, without expansions:
// blanks separate, single quotes keep everything, double quotes keep all but \" \\ \$ \`,
// and a backslash outside quotes takes the next character literally.
namespace ShellWords {

QStringList split(QStringView text);

} // namespace ShellWords
