#pragma once

#include "platform/Shell.h"

#include <QList>
#include <QString>

// Records what would have been opened; can be told to fail.
class FakeShell : public Shell
{
public:
    struct Call
    {
        QString target;
        QString parameters;
        bool operator==(const Call &) const = default;
    };

    void open(const QString &target, const QString &parameters) override;

    QList<Call> calls;
    QString failWith; // non-empty: open raises an Error with this text
};
