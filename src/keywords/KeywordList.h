#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <iterator>

// A list of texts held as one string of all of them, one after another, and where each ends:
// two bytes a character and four a row, where a QStringList spends a block of its own on
// every row (some 60 bytes for a short keyword). Both parts are shared on copy, so a copy
// handed to another thread costs nothing until either side changes. Never changed in place:
// a changed list is a new one.
class KeywordList
{
public:
    class const_iterator
    {
    public:
        using iterator_concept = std::forward_iterator_tag;
        using iterator_category = std::input_iterator_tag; // its rows are values, not references
        using value_type = QStringView;
        using difference_type = qsizetype;
        using reference = QStringView;

        const_iterator() = default;
        const_iterator(const KeywordList *list, qsizetype row)
            : m_list(list)
            , m_row(row)
        {
        }
        QStringView operator*() const { return m_list->at(m_row); }
        const_iterator &operator++()
        {
            ++m_row;
            return *this;
        }
        const_iterator operator++(int)
        {
            const const_iterator before = *this;
            ++m_row;
            return before;
        }
        bool operator==(const const_iterator &other) const { return m_row == other.m_row; }

    private:
        const KeywordList *m_list = nullptr;
        qsizetype m_row = 0;
    };
    using iterator = const_iterator;

    KeywordList() = default;
    explicit KeywordList(const QStringList &rows);
    // The lines of a text, split as TextFile::splitLines() splits them, kept in the text's own
    // storage with its line ends taken out: no row is ever a string of its own.
    static KeywordList fromLines(QString text);

    qsizetype size() const { return m_ends.size(); }
    bool isEmpty() const { return m_ends.isEmpty(); }
    // A row, valid while this list lives unchanged.
    QStringView at(qsizetype row) const
    {
        const uint32_t begin = row == 0 ? 0 : m_ends[row - 1];
        return QStringView(m_text).sliced(begin, m_ends[row] - begin);
    }
    QStringView operator[](qsizetype row) const { return at(row); }
    // A row as a string of its own; empty for a row out of range.
    QString value(qsizetype row) const;
    QStringList toList() const;
    // The list without one row (which must be in range).
    KeywordList withoutRow(qsizetype row) const;

    const_iterator begin() const { return {this, 0}; }
    const_iterator end() const { return {this, size()}; }

    friend bool operator==(const KeywordList &a, const KeywordList &b)
    {
        return a.m_ends == b.m_ends && a.m_text == b.m_text;
    }
    friend bool operator==(const KeywordList &list, const QStringList &rows);

private:
    QString m_text;
    QList<uint32_t> m_ends;
};
