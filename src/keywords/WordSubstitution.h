#pragma once

#include <QString>

// An entry's target and parameters with the words typed after its keyword put in: in place
// of every %s (percent-encoded as UTF-8 in an address), else appended to the parameters,
// which the shell then splits into arguments as it splits any parameters. %% is a lone %.
// An entry without %s given no words is left exactly as it is stored.
struct WordSubstitution
{
    QString target;
    QString parameters;

    static WordSubstitution apply(const QString &target, const QString &parameters,
                                  const QString &words);
};
