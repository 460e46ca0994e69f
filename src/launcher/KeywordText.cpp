#include "KeywordText.h"

#include "base/Error.h"
#include "base/Messages.h"

namespace KeywordText {

bool equal(QStringView a, QStringView b)
{
    // Simple case folding never changes the length, so the length test rejects most rows
    // of a long list without looking at their characters.
    return a.size() == b.size() && a.compare(b, Qt::CaseInsensitive) == 0;
}

bool startsWith(QStringView keyword, QStringView prefix)
{
    return keyword.size() >= prefix.size()
           && keyword.first(prefix.size()).compare(prefix, Qt::CaseInsensitive) == 0;
}

QStringView firstCharacter(QStringView keyword)
{
    if (keyword.isEmpty())
        return {};
    if (keyword.size() >= 2 && keyword[0].isHighSurrogate() && keyword[1].isLowSurrogate())
        return keyword.first(2);
    return keyword.first(1);
}

bool isFileName(QStringView keyword)
{
    return !keyword.isEmpty() && keyword != u"." && keyword != u".." && !keyword.contains(u'/')
           && !keyword.contains(QChar(u'\0'));
}

void checkFileName(const QString &keyword)
{
    if (!isFileName(keyword))
        throw Error(Messages::invalidKeyword(keyword));
}

} // namespace KeywordText
