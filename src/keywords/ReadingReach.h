#pragma once

#include "KeywordReach.h"

#include <QStringList>

#include <vector>

// How the keywords completion never offers are reached by their readings (KeywordReading):
// where nothing completes a typed text literally, the first keyword whose reading begins
// with the text's reading is offered. A keyword hidden literally behind an earlier one may
// still be reached so: "東" behind "東京" by "hi", which no keyword begins with and which
// begins the reading of 東 (higashi) and not that of 東京 (tokyo).
namespace ReadingReach {

struct Row
{
    // The shortest beginning of the keyword's reading that reaches it, as a user types it
    // (in Hepburn, else as the reading is written); empty where none does.
    QString typed;
    // Where no text does because an earlier keyword's reading begins with all of its own:
    // that keyword's row; -1 otherwise.
    qsizetype takenBy = -1;

    bool operator==(const Row &) const = default;
};

// One answer per row that `literal` (KeywordReach::compute of the same keywords) marks
// unreachable, in list order; a default Row for every other row. `readings` holds each
// keyword's reading, row by row.
std::vector<Row> compute(const QStringList &keywords, const QStringList &readings,
                         const std::vector<KeywordReach::Row> &literal);

} // namespace ReadingReach
