#pragma once

#include <QString>

// What one keyword opens: the three lines of its entry file.
struct Entry
{
    QString target;
    QString description;
    QString parameters;

    bool operator==(const Entry &) const = default;
};
