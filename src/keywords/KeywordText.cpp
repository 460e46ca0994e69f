#include "KeywordText.h"

#include "base/Error.h"
#include "base/Messages.h"

namespace {

using KeywordText::foldUnit;

// A cheap necessary test before the full comparison, which dominates scans of long lists.
inline bool sameFirstUnit(QStringView a, QStringView b)
{
    return a.isEmpty() || b.isEmpty() || foldUnit(a[0].unicode()) == foldUnit(b[0].unicode());
}

} // namespace

namespace KeywordText {

char16_t foldUnit(char16_t c)
{
    if (c < 0x80)
        return c >= u'A' && c <= u'Z' ? char16_t(c + 32) : c;
    return QChar::toCaseFolded(c);
}

uint64_t head(QStringView keyword)
{
    const auto size = uint64_t(std::min<qsizetype>(keyword.size(), 0xFFFF));
    const uint64_t first = keyword.isEmpty() ? 0u : foldUnit(keyword[0].unicode());
    const uint64_t second = keyword.size() < 2 ? 0u : foldUnit(keyword[1].unicode());
    return size << 32 | second << 16 | first;
}

uint64_t equalMask(QStringView text)
{
    return text.isEmpty() || !text[0].isHighSurrogate() ? 0xFFFF'FFFF'FFFFu : 0xFFFF'0000'FFFFu;
}

uint64_t prefixMask(QStringView text)
{
    if (text.isEmpty())
        return 0;
    return text.size() < 2 || text[0].isHighSurrogate() ? 0xFFFFu : 0xFFFF'FFFFu;
}

bool equal(QStringView a, QStringView b)
{
    // Simple case folding never changes the length, so the length test rejects most rows
    // of a long list without looking at their characters.
    return a.size() == b.size() && sameFirstUnit(a, b) && a.compare(b, Qt::CaseInsensitive) == 0;
}

bool startsWith(QStringView keyword, QStringView prefix)
{
    return keyword.size() >= prefix.size() && sameFirstUnit(keyword, prefix)
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
