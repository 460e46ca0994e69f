#include "ReadingReach.h"

#include "KeywordReading.h"

#include <algorithm>

namespace {

// The keywords case-folded and sorted, to tell at once whether any begins with a text.
class LiteralPrefixes
{
public:
    explicit LiteralPrefixes(const QStringList &keywords)
    {
        m_folded.reserve(size_t(keywords.size()));
        for (const QString &keyword : keywords)
            m_folded.push_back(keyword.toCaseFolded());
        std::sort(m_folded.begin(), m_folded.end());
    }

    bool anyBeginsWith(const QString &text) const
    {
        const QString folded = text.toCaseFolded();
        const auto it = std::lower_bound(m_folded.begin(), m_folded.end(), folded);
        return it != m_folded.end() && it->startsWith(folded);
    }

private:
    std::vector<QString> m_folded;
};

struct Target
{
    const QStringList &readings;
    qsizetype row;
    qsizetype shared; // how much of its reading an earlier reading shares, plus one
};

// Whether a text whose reading is `reading` reaches the row before any earlier row.
bool reachesFirst(const Target &target, const QString &reading)
{
    return reading.size() >= target.shared && target.readings[target.row].startsWith(reading);
}

bool earlierBeginsWith(const Target &target, const QString &reading)
{
    for (qsizetype row = 0; row < target.row; ++row)
        if (target.readings[row].startsWith(reading))
            return true;
    return false;
}

// Whether what the text is read as (one reading or two) offers the row.
bool offers(const Target &target, const KeywordReading::Typed &typed)
{
    if (typed.reading.isEmpty())
        return false;
    if (typed.other.isEmpty())
        return reachesFirst(target, typed.reading);
    return (reachesFirst(target, typed.reading) && !earlierBeginsWith(target, typed.other))
           || (reachesFirst(target, typed.other) && !earlierBeginsWith(target, typed.reading));
}

} // namespace

namespace ReadingReach {

std::vector<Row> compute(const QStringList &keywords, const QStringList &readings,
                         const std::vector<KeywordReach::Row> &literal)
{
    std::vector<Row> rows(size_t(keywords.size()));
    const std::vector<KeywordReach::Row> byReading = KeywordReach::compute(readings);
    const LiteralPrefixes prefixes(keywords);
    for (qsizetype row = 0; row < keywords.size(); ++row) {
        if (!literal[size_t(row)].unreachable())
            continue;
        const KeywordReach::Row &reach = byReading[size_t(row)];
        if (reach.unreachable()) {
            rows[size_t(row)].takenBy = reach.takenBy;
            continue;
        }
        if (reach.typed == 0)
            continue;
        // Each beginning of the reading as the user would type it, then as it is written.
        const Target target{readings, row, reach.typed};
        const QString &reading = readings[row];
        for (const QString &spelling : {KeywordReading::hepburn(reading), reading}) {
            for (qsizetype length = 1; length <= spelling.size(); ++length) {
                const QString text = spelling.left(length);
                if (offers(target, KeywordReading::ofTyped(text))
                    && !prefixes.anyBeginsWith(text)) {
                    rows[size_t(row)].typed = text;
                    break;
                }
            }
            if (!rows[size_t(row)].typed.isEmpty())
                break;
        }
    }
    return rows;
}

} // namespace ReadingReach
