#include "KeywordReadings.h"

#include "KanjiReading.h"
#include "KeywordReading.h"
#include "KeywordStore.h"

#include <QThread>

#include <algorithm>
#include <numeric>

KeywordReadings::KeywordReadings(const KeywordStore &store, QObject *parent)
    : QObject(parent)
    , m_store(store)
{
    connect(&store, &KeywordStore::listAboutToChange, this, [this] {
        m_ready = false;
        ++m_generation;
    });
    connect(&store, &KeywordStore::listChanged, this, [this] {
        if (m_started)
            rebuild();
    });
}

KeywordReadings::~KeywordReadings()
{
    // The dictionary must not be read on while the program ends around it.
    stopReading();
}

void KeywordReadings::start()
{
    m_started = true;
    rebuild();
}

void KeywordReadings::stopReading()
{
    if (!m_thread)
        return;
    m_cancelled->store(true);
    m_thread->wait();
    delete m_thread;
    m_thread = nullptr;
}

QString KeywordReadings::of(const QString &keyword)
{
    return KeywordReading::of(KanjiReading::hiraganaOf(keyword));
}

void KeywordReadings::readAll(const QStringList &keywords, Table &table,
                              const std::atomic<bool> &cancelled)
{
    table.ends.reserve(size_t(keywords.size()));
    for (const QString &keyword : keywords) {
        if (cancelled.load(std::memory_order_relaxed))
            return;
        table.readings += of(keyword);
        table.ends.push_back(uint32_t(table.readings.size()));
    }
    table.readings.squeeze();
    table.sorted.resize(table.ends.size());
    std::iota(table.sorted.begin(), table.sorted.end(), 0u);
    std::stable_sort(table.sorted.begin(), table.sorted.end(),
                     [&table](uint32_t a, uint32_t b) { return table.at(a) < table.at(b); });
}

void KeywordReadings::rebuild()
{
    stopReading();
    m_ready = false;
    const int generation = ++m_generation;
    m_cancelled = std::make_shared<std::atomic<bool>>(false);
    auto table = std::make_shared<Table>();
    m_thread = QThread::create([keywords = m_store.keywords(), table, cancelled = m_cancelled] {
        readAll(keywords, *table, *cancelled);
    });
    // Handed over on this thread, where a reading of an older list is dropped.
    connect(m_thread, &QThread::finished, this, [this, table, generation] {
        if (generation != m_generation)
            return;
        m_thread->deleteLater();
        m_thread = nullptr;
        m_table = std::move(*table);
        m_ready = true;
        emit readingsReady();
    });
    m_thread->start(QThread::IdlePriority);
}

qsizetype KeywordReadings::firstBeginningWith(QStringView reading) const
{
    // The rows beginning with the reading stand together in reading order.
    const auto &sorted = m_table.sorted;
    const auto from = std::partition_point(sorted.begin(), sorted.end(),
                                           [&](uint32_t row) { return m_table.at(row) < reading; });
    const auto to = std::partition_point(
        from, sorted.end(), [&](uint32_t row) { return m_table.at(row).startsWith(reading); });
    // The first of them in list order: the lowest row number among them.
    return from == to ? -1 : qsizetype(*std::min_element(from, to));
}

qsizetype KeywordReadings::find(QStringView text) const
{
    if (!m_ready)
        return -1;
    const KeywordReading::Typed typed = KeywordReading::ofTyped(text);
    if (typed.reading.isEmpty())
        return -1;
    const qsizetype first = firstBeginningWith(typed.reading);
    if (typed.other.isEmpty())
        return first;
    const qsizetype other = firstBeginningWith(typed.other);
    return first < 0 || (other >= 0 && other < first) ? other : first;
}
