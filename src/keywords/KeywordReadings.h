#pragma once

#include <QObject>
#include <QStringList>

#include <vector>

class KeywordStore;

// The readings of the store's keywords (KeywordReading, kanji read through KanjiReading), by
// which a keyword is reached when nothing completes literally. They are made on a thread of
// their own, never on a keystroke: after start() and again whenever the list changes; until
// they are ready no keyword is reached by its reading. Kept as one string of readings with
// their offsets, which costs little more than the readings themselves.
class KeywordReadings : public QObject
{
    Q_OBJECT

public:
    explicit KeywordReadings(const KeywordStore &store, QObject *parent = nullptr);
    ~KeywordReadings() override;

    // Reads the keywords as they are, and again after each change of the list.
    void start();
    bool ready() const { return m_ready; }

    // The first row whose reading begins with the text's reading, or -1 (also while the
    // readings are not ready, and for a text whose reading is empty).
    qsizetype find(QStringView text) const;

signals:
    void readingsReady();

private:
    struct Table
    {
        QString readings;             // every reading, one after another
        std::vector<qsizetype> ends;  // where each row's reading ends in it
    };
    static Table readAll(const QStringList &keywords);
    void rebuild();

    const KeywordStore &m_store;
    Table m_table;
    bool m_ready = false;
    bool m_started = false;
    int m_generation = 0; // each reading of the list; a reading of an older one is dropped
};
