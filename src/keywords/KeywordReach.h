#pragma once

#include <QStringList>

#include <vector>

// How much of each keyword must be typed before completion offers it. Completion offers the
// first keyword in list order that begins with the typed text, letter case ignored, so an
// earlier keyword that begins with a later one hides it: with "memorandum" listed before
// "memo", typing all of "memo" still completes to "memorandum".
namespace KeywordReach {

struct Row
{
    // The length, in UTF-16 units of the keyword's own spelling, of the shortest text that
    // completes to it; never ends inside a surrogate pair. 0 when nothing completes to it.
    qsizetype typed = 0;
    // For a keyword nothing completes to: the row completion picks for its full text.
    // -1 otherwise, and for an empty row.
    qsizetype takenBy = -1;

    bool unreachable() const { return takenBy >= 0; }
    bool operator==(const Row &) const = default;
};

// One answer per keyword, in the list's order. Linear in the length of the list's text.
std::vector<Row> compute(const QStringList &keywords);

} // namespace KeywordReach
