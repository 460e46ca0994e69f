#include "KeywordWords.h"

#include <algorithm>

std::optional<KeywordWords> KeywordWords::split(const QString &text)
{
    const auto blank = std::find_if(text.cbegin(), text.cend(), &KeywordWords::isBlank);
    const qsizetype end = blank - text.cbegin();
    if (end == 0 || end == text.size())
        return std::nullopt;
    qsizetype first = end;
    while (first < text.size() && isBlank(text[first]))
        ++first;
    qsizetype last = text.size();
    while (last > first && isBlank(text[last - 1]))
        --last;
    return KeywordWords{text.left(end), text.mid(first, last - first)};
}
