#include "Shell.h"

#include <QRegularExpression>

Shell::~Shell() = default;

bool Shell::isAddress(const QString &target)
{
    static const QRegularExpression scheme(QStringLiteral("^[A-Za-z][A-Za-z0-9+.-]+:"));
    return scheme.match(target).hasMatch();
}

bool Shell::isFileManager(const QString &target)
{
    return target.compare(QStringLiteral("explorer.exe"), Qt::CaseInsensitive) == 0
           || target.compare(QStringLiteral("explorer"), Qt::CaseInsensitive) == 0;
}
