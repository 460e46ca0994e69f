#include "KeywordReach.h"

#include "KeywordText.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <new>
#include <sys/mman.h>

// Every keyword goes, in list order, into a radix tree of the case-folded keywords. The
// shortest text completing to a keyword is one character longer than the longest prefix it
// shares with any earlier keyword, which is how deep it runs into the tree before leaving
// it; a keyword that never leaves the tree is the prefix of an earlier one, and the earliest
// keyword through the point where it ends is the one completion offers instead.
namespace {

// The keywords folded as completion compares them (each code point case-folded, so a text
// keeps its length in UTF-16 units), end to end in one buffer.
struct FoldedText
{
    std::vector<char16_t> units;
    std::vector<uint32_t> starts; // one per keyword, and the end

    explicit FoldedText(const QStringList &keywords)
    {
        qsizetype total = 0;
        for (const QString &keyword : keywords)
            total += keyword.size();
        units.reserve(size_t(total));
        starts.reserve(size_t(keywords.size()) + 1);
        for (const QString &keyword : keywords) {
            starts.push_back(uint32_t(units.size()));
            const auto *s = reinterpret_cast<const char16_t *>(keyword.utf16());
            const qsizetype n = keyword.size();
            for (qsizetype i = 0; i < n; ++i) {
                const char16_t c = s[i];
                if (QChar::isHighSurrogate(c) && i + 1 < n && QChar::isLowSurrogate(s[i + 1])) {
                    const char32_t folded =
                        QChar::toCaseFolded(QChar::surrogateToUcs4(c, s[i + 1]));
                    const bool pair = QChar::requiresSurrogates(folded);
                    units.push_back(pair ? QChar::highSurrogate(folded) : c);
                    units.push_back(pair ? QChar::lowSurrogate(folded) : s[i + 1]);
                    ++i;
                } else {
                    units.push_back(KeywordText::foldUnit(c));
                }
            }
        }
        starts.push_back(uint32_t(units.size()));
    }
};

// A node of the tree: the edge into it is units [from, to) of one keyword's folded text,
// that of the earliest keyword running through the node, the one that made the edge.
struct Node
{
    uint32_t keyword;
    uint32_t from;
    uint32_t to;
};

// An array of trivial elements in memory of its own; one of several megabytes (the table of a
// large list) asks for huge pages, as its look-ups land anywhere in it and would otherwise
// miss the address cache nearly every time.
template <typename T> class LargeArray
{
public:
    LargeArray() = default;
    explicit LargeArray(size_t count)
    {
        constexpr size_t Huge = 2 << 20;
        const bool large = count * sizeof(T) >= 2 * Huge;
        const size_t bytes = large ? (count * sizeof(T) + Huge - 1) / Huge * Huge
                                   : std::max<size_t>(count, 1) * sizeof(T);
        void *memory = large ? std::aligned_alloc(Huge, bytes) : std::malloc(bytes);
        if (!memory)
            throw std::bad_alloc();
        if (large)
            ::madvise(memory, bytes, MADV_HUGEPAGE);
        m_items.reset(static_cast<T *>(memory));
    }
    T *get() const { return m_items.get(); }
    T &operator[](size_t i) const { return m_items.get()[i]; }

private:
    struct Free
    {
        void operator()(T *items) const { std::free(items); }
    };
    std::unique_ptr<T[], Free> m_items;
};

// The children of every node, found by the node and the first unit of their edge: one open
// addressing table instead of a container per node.
class ChildTable
{
public:
    explicit ChildTable(size_t entries)
    {
        size_t capacity = 16;
        while (capacity < entries * 2)
            capacity <<= 1;
        m_shift = 64 - std::countr_zero(capacity);
        m_mask = capacity - 1;
        m_slots = LargeArray<Slot>(capacity);
        std::fill_n(m_slots.get(), capacity, Slot{kEmpty, 0});
    }

    const uint32_t *find(uint32_t node, char16_t unit) const
    {
        const Slot &slot = m_slots[probe(key(node, unit))];
        return slot.key == kEmpty ? nullptr : &slot.child;
    }

    void set(uint32_t node, char16_t unit, uint32_t child)
    {
        const uint64_t k = key(node, unit);
        m_slots[probe(k)] = Slot{k, child};
    }

private:
    static constexpr uint64_t kEmpty = ~uint64_t(0);

    struct Slot
    {
        uint64_t key;
        uint32_t child;
    };

    static uint64_t key(uint32_t node, char16_t unit) { return uint64_t(node) << 16 | unit; }

    // The slot holding the key, or the empty one where it belongs.
    size_t probe(uint64_t k) const
    {
        size_t i = size_t((k * 0x9E3779B97F4A7C15ull) >> m_shift);
        while (m_slots[i].key != kEmpty && m_slots[i].key != k)
            i = (i + 1) & m_mask;
        return i;
    }

    LargeArray<Slot> m_slots;
    size_t m_mask = 0;
    int m_shift = 0;
};

// The text up to and including the unit at `mismatch`, widened to the whole character.
qsizetype typedThrough(const char16_t *s, uint32_t length, uint32_t mismatch)
{
    const bool cutsPair = QChar::isHighSurrogate(s[mismatch]) && mismatch + 1 < length
                          && QChar::isLowSurrogate(s[mismatch + 1]);
    return qsizetype(mismatch) + (cutsPair ? 2 : 1);
}

} // namespace

namespace KeywordReach {

std::vector<Row> compute(const QStringList &keywords)
{
    const FoldedText text(keywords);
    const auto count = uint32_t(keywords.size());
    std::vector<Row> rows(count);
    // Each keyword adds a leaf and splits at most one edge.
    const LargeArray<Node> nodes(size_t(count) * 2 + 1);
    uint32_t nodeCount = 0;
    nodes[nodeCount++] = {0, 0, 0};
    ChildTable children(size_t(count) * 2 + 1);

    for (uint32_t row = 0; row < count; ++row) {
        const char16_t *s = text.units.data() + text.starts[row];
        const uint32_t length = text.starts[row + 1] - text.starts[row];
        uint32_t node = 0;
        uint32_t depth = 0;
        while (length > 0) {
            if (depth == length) {
                rows[row].takenBy = nodes[node].keyword;
                break;
            }
            const uint32_t *found = children.find(node, s[depth]);
            if (!found) {
                children.set(node, s[depth], nodeCount);
                nodes[nodeCount++] = {row, depth, length};
                rows[row].typed = typedThrough(s, length, depth);
                break;
            }
            const uint32_t child = *found;
            const Node edge = nodes[child];
            const char16_t *label = text.units.data() + text.starts[edge.keyword] + edge.from;
            const uint32_t edgeLength = edge.to - edge.from;
            uint32_t matched = 1; // the table matched the first unit
            while (matched < edgeLength && depth + matched < length
                   && label[matched] == s[depth + matched])
                ++matched;
            if (matched == edgeLength) {
                node = child;
                depth += matched;
                continue;
            }
            if (depth + matched == length) {
                rows[row].takenBy = edge.keyword;
                break;
            }
            // The keyword leaves the tree inside this edge: split it there.
            const uint32_t middle = nodeCount;
            nodes[nodeCount++] = {edge.keyword, edge.from, edge.from + matched};
            nodes[child].from += matched;
            children.set(node, s[depth], middle);
            children.set(middle, label[matched], child);
            children.set(middle, s[depth + matched], nodeCount);
            nodes[nodeCount++] = {row, depth + matched, length};
            rows[row].typed = typedThrough(s, length, depth + matched);
            break;
        }
    }
    return rows;
}

} // namespace KeywordReach
