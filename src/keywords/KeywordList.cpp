#include "KeywordList.h"

#include "base/TextFile.h"

#include <algorithm>

KeywordList::KeywordList(const QStringList &rows)
{
    qsizetype length = 0;
    for (const QString &row : rows)
        length += row.size();
    m_text.reserve(length);
    m_ends.reserve(rows.size());
    for (const QString &row : rows) {
        m_text += row;
        m_ends.append(uint32_t(m_text.size()));
    }
}

KeywordList KeywordList::fromLines(QString text)
{
    KeywordList list;
    char16_t *units = reinterpret_cast<char16_t *>(text.data());
    qsizetype kept = 0;
    // Each row moved down over the line ends before it: to where it was read at the latest.
    TextFile::forEachLine(units, text.size(), [&](qsizetype from, qsizetype size) {
        if (from != kept)
            std::copy(units + from, units + from + size, units + kept);
        kept += size;
        list.m_ends.append(uint32_t(kept));
    });
    text.truncate(kept);
    text.squeeze();
    list.m_text = std::move(text);
    list.m_ends.squeeze();
    return list;
}

QString KeywordList::value(qsizetype row) const
{
    return row >= 0 && row < size() ? at(row).toString() : QString();
}

QStringList KeywordList::toList() const
{
    QStringList rows;
    rows.reserve(size());
    for (const QStringView row : *this)
        rows.append(row.toString());
    return rows;
}

KeywordList KeywordList::withoutRow(qsizetype row) const
{
    const uint32_t begin = row == 0 ? 0 : m_ends[row - 1];
    const uint32_t length = m_ends[row] - begin;
    KeywordList rest;
    rest.m_text.reserve(m_text.size() - length);
    rest.m_text.append(QStringView(m_text).first(begin));
    rest.m_text.append(QStringView(m_text).sliced(m_ends[row]));
    rest.m_ends.reserve(size() - 1);
    rest.m_ends.append(m_ends.first(row));
    for (qsizetype i = row + 1; i < size(); ++i)
        rest.m_ends.append(m_ends[i] - length);
    return rest;
}

bool operator==(const KeywordList &list, const QStringList &rows)
{
    return list.size() == rows.size() && std::equal(list.begin(), list.end(), rows.begin());
}
