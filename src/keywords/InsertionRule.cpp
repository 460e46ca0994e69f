#include "InsertionRule.h"

#include "FirstCharacterOrder.h"
#include "KeywordText.h"

#include <QHash>

#include <optional>

QStringList insertByFirstCharacter(const QStringList &rows, const QString &keyword,
                                   const FirstCharacterOrder &order)
{
    const QStringView first = KeywordText::firstCharacter(keyword);

    // One pass instead of removing group rows one by one: `rest` is the list as it stands
    // after the removals, so `groupAt` and `beforeAt` are indices into it.
    QStringList rest;
    QStringList group;
    rest.reserve(rows.size() + 1);
    std::optional<qsizetype> groupAt;
    std::optional<qsizetype> beforeAt;
    // Few distinct first characters occur; compare each with the collator only once.
    QHash<QString, bool> sortsBefore;

    for (const QString &row : rows) {
        const QStringView rowFirst = KeywordText::firstCharacter(row);
        if (KeywordText::equal(rowFirst, first)) {
            if (!groupAt)
                groupAt = rest.size();
            group.append(row);
            continue;
        }
        if (!beforeAt) {
            const QString key = rowFirst.toString();
            auto it = sortsBefore.constFind(key);
            if (it == sortsBefore.cend())
                it = sortsBefore.insert(key, order.before(first, rowFirst));
            if (*it)
                beforeAt = rest.size();
        }
        rest.append(row);
    }

    if (groupAt) {
        group.append(keyword);
        QStringList result = rest.mid(0, *groupAt);
        result.reserve(rest.size() + group.size());
        result += group;
        result += rest.mid(*groupAt);
        return result;
    }
    rest.insert(beforeAt.value_or(rest.size()), keyword);
    return rest;
}
