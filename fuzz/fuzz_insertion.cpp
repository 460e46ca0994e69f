// The place of a new keyword in the order list. Every input line but the last is a row of the
// list; the last is the keyword (UTF-8).

#include "FuzzSupport.h"

#include "keywords/FirstCharacterOrder.h"
#include "keywords/InsertionRule.h"

#include <algorithm>

namespace {

QStringView firstCharacter(QStringView text)
{
    if (text.size() >= 2 && text[0].isHighSurrogate() && text[1].isLowSurrogate())
        return text.first(2);
    return text.first(std::min<qsizetype>(text.size(), 1));
}

// The rule done the plain way, one row at a time: take the keyword's group out of the list,
// then put it back, keyword last, where its first row was; a new group goes before the first
// row whose first character sorts after the keyword's.
QStringList expectedOrder(const QStringList &rows, const QString &keyword,
                          const FirstCharacterOrder &order)
{
    const QStringView first = firstCharacter(keyword);
    auto inGroup = [&](const QString &row) {
        return firstCharacter(row).compare(first, Qt::CaseInsensitive) == 0;
    };
    const auto groupStart = std::find_if(rows.begin(), rows.end(), inGroup);
    QStringList result;
    if (groupStart != rows.end()) {
        QStringList group;
        for (const QString &row : rows) {
            if (inGroup(row))
                group << row;
            else
                result << row;
        }
        group << keyword;
        const qsizetype at = groupStart - rows.begin();
        for (qsizetype i = 0; i < group.size(); ++i)
            result.insert(at + i, group[i]);
        return result;
    }
    result = rows;
    const auto after = std::find_if(rows.begin(), rows.end(), [&](const QString &row) {
        return order.before(first, firstCharacter(row));
    });
    result.insert(after - rows.begin(), keyword);
    return result;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    Fuzz::ensureCoreApplication();
    static const FirstCharacterOrder order;

    QStringList rows;
    for (QByteArrayView line : Fuzz::lines(Fuzz::bytes(data, size)))
        rows << QString::fromUtf8(line);
    const QString keyword = rows.takeLast();

    const QStringList result = insertByFirstCharacter(rows, keyword, order);
    FUZZ_CHECK(result.size() == rows.size() + 1);
    FUZZ_CHECK(result == expectedOrder(rows, keyword, order));
    return 0;
}
