#pragma once

#include "KeywordReading.h"

#include <QObject>
#include <QStringList>

#include <atomic>
#include <cstdint>
#include <memory>
#include <vector>

class KeywordList;
class KeywordStore;
class QThread;

// The readings of the store's keywords (KeywordReading, kanji read through KanjiReading), by
// which a keyword is reached when nothing completes literally. They are made on a thread of
// their own, never on a keystroke: after start() and again whenever the list changes; until
// they are ready no keyword is reached by its reading. Kept as one string of readings with
// where each ends, and the rows in the order of their readings: a text finds the rows its
// reading begins by halving, without visiting the others. Some 2 × its length + 8 bytes a
// keyword.
//
// The interface thread never waits for a reading: one made stale by a change of the list is
// told to stop and left to end on its own; the readers run below normal priority (not at
// idle priority, which a busy processor starves). Only the object's end waits, for each
// reader to finish the word it is on, so that the dictionary is not read while the program
// ends around it.
class KeywordReadings : public QObject
{
    Q_OBJECT

public:
    explicit KeywordReadings(const KeywordStore &store, QObject *parent = nullptr);
    ~KeywordReadings() override;

    // A keyword's reading, its kanji read through the dictionary, whose lock the readers hold
    // in turn: not for the interface thread.
    static QString of(QStringView keyword);

    // Reads the keywords as they are, and again after each change of the list.
    void start();
    bool ready() const { return m_ready; }

    // The first row whose reading begins with the text's reading (with either, where the
    // text stands for two), or -1: also while the readings are not ready, and for a text
    // whose reading is empty.
    qsizetype find(QStringView text) const;
    // The same for a text's reading made already (KeywordReading::ofTyped).
    qsizetype find(const KeywordReading::Typed &typed) const;

    // The readings of these keywords, by row, taken from those made for the store's list,
    // the dictionary left alone (a keyword not in the list is read without its kanji); empty
    // while they are not ready.
    QStringList readingsOf(const QStringList &keywords) const;

signals:
    void readingsReady();

private:
    struct Table
    {
        QString readings;             // every reading, one after another
        std::vector<uint32_t> ends;   // where each row's reading ends in it
        std::vector<uint32_t> sorted; // the rows, their readings in ascending order

        QStringView at(uint32_t row) const
        {
            const uint32_t begin = row == 0 ? 0 : ends[row - 1];
            return QStringView(readings).sliced(begin, ends[row] - begin);
        }
    };
    static void readAll(const KeywordList &keywords, Table &table,
                        const std::atomic<bool> &cancelled);
    void rebuild();
    // Tells the reading under way to stop, without waiting for it.
    void cancelReading();
    qsizetype firstBeginningWith(QStringView reading) const;

    const KeywordStore &m_store;
    Table m_table;
    bool m_ready = false;
    bool m_started = false;
    int m_generation = 0; // each reading of the list; a reading of an older one is dropped
    // Every reader still running, the last one the reading under way; each ends on its own.
    struct Reader
    {
        QThread *thread;
        std::shared_ptr<std::atomic<bool>> cancelled;
    };
    std::vector<Reader> m_readers;
};
