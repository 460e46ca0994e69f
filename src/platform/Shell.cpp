#include "Shell.h"

namespace {

bool isAsciiLetter(QChar c)
{
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z');
}

} // namespace

Shell::~Shell() = default;

// Read by hand: a regular expression here would bring the engine's compiler into a resident
// program for a check this small.
bool Shell::isAddress(const QString &target)
{
    const qsizetype colon = target.indexOf(u':');
    if (colon < 2 || !isAsciiLetter(target.front()))
        return false;
    for (qsizetype i = 1; i < colon; ++i) {
        const QChar c = target.at(i);
        if (!isAsciiLetter(c) && !(c >= u'0' && c <= u'9') && c != u'+' && c != u'.' && c != u'-')
            return false;
    }
    return true;
}

bool Shell::isFileManager(const QString &target)
{
    return target.compare(QStringLiteral("explorer.exe"), Qt::CaseInsensitive) == 0
           || target.compare(QStringLiteral("explorer"), Qt::CaseInsensitive) == 0;
}
