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
        bool oneFile = false; // openWithFile(): the parameters are one file
        bool operator==(const Call &) const = default;
    };

    void open(const QString &target, const QString &parameters) override;
    void openWithFile(const QString &target, const QString &file) override;

    QList<Call> calls;
    QString failWith; // non-empty: open raises an Error with this text
};
