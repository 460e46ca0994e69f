#include "KeywordReadings.h"

#include "KanjiReading.h"
#include "KeywordReading.h"
#include "KeywordStore.h"

#include <QHash>
#include <QThread>

#ifdef Q_OS_LINUX
#include <sys/resource.h>
#include <unistd.h>
#endif

#include <algorithm>
#include <numeric>

namespace {

// The readers' nice value: they take what the interface leaves, yet are never starved.
[[maybe_unused]] constexpr int ReaderNice = 10;

} // namespace

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
    // The dictionary must not be read on while the program ends around it: each reader stops
    // after the word it is reading.
    for (const Reader &reader : m_readers)
        reader.cancelled->store(true);
    for (const Reader &reader : m_readers) {
        reader.thread->wait();
        delete reader.thread;
    }
}

void KeywordReadings::start()
{
    m_started = true;
    rebuild();
}

void KeywordReadings::cancelReading()
{
    if (!m_readers.empty())
        m_readers.back().cancelled->store(true);
}

QString KeywordReadings::of(QStringView keyword)
{
    return KeywordReading::of(KanjiReading::hiraganaOf(keyword));
}

void KeywordReadings::readAll(const KeywordList &keywords, Table &table,
                              const std::atomic<bool> &cancelled)
{
    table.ends.reserve(size_t(keywords.size()));
    for (const QStringView keyword : keywords) {
        if (cancelled.load(std::memory_order_relaxed))
            return;
        table.readings += of(keyword);
        table.ends.push_back(uint32_t(table.readings.size()));
    }
    if (cancelled.load(std::memory_order_relaxed))
        return;
    table.readings.squeeze();
    table.sorted.resize(table.ends.size());
    std::iota(table.sorted.begin(), table.sorted.end(), 0u);
    std::stable_sort(table.sorted.begin(), table.sorted.end(),
                     [&table](uint32_t a, uint32_t b) { return table.at(a) < table.at(b); });
}

void KeywordReadings::rebuild()
{
    cancelReading();
    m_ready = false;
    const int generation = ++m_generation;
    auto cancelled = std::make_shared<std::atomic<bool>>(false);
    auto table = std::make_shared<Table>();
    QThread *thread = QThread::create([keywords = m_store.keywords(), table, cancelled] {
#ifdef Q_OS_LINUX
        // Below the interface's share of the processor; Qt's priorities other than idle
        // change nothing for Linux's normal threads.
        setpriority(PRIO_PROCESS, id_t(gettid()), ReaderNice);
#endif
        readAll(keywords, *table, *cancelled);
        // Not needed again until the list changes: the table holds all there is to read.
        KanjiReading::closeDictionary();
    });
    thread->setObjectName(QStringLiteral("readings"));
    m_readers.push_back({thread, cancelled});
    // Handed over on this thread, where a reading of an older list is dropped.
    connect(thread, &QThread::finished, this, [this, thread, table, generation] {
        std::erase_if(m_readers,
                      [thread](const Reader &reader) { return reader.thread == thread; });
        thread->deleteLater();
        if (generation != m_generation)
            return;
        m_table = std::move(*table);
        m_ready = true;
        emit readingsReady();
    });
    thread->start(QThread::LowPriority);
}

QStringList KeywordReadings::readingsOf(const QStringList &keywords) const
{
    if (!m_ready)
        return {};
    const KeywordList &listed = m_store.keywords();
    QStringList readings;
    readings.reserve(keywords.size());
    if (keywords == listed) {
        for (uint32_t row = 0; row < uint32_t(listed.size()); ++row)
            readings.append(m_table.at(row).toString());
        return readings;
    }
    QHash<QString, uint32_t> rows;
    rows.reserve(listed.size());
    for (uint32_t row = 0; row < uint32_t(listed.size()); ++row)
        rows.insert(listed.value(row), row);
    for (const QString &keyword : keywords) {
        const auto found = rows.constFind(keyword);
        readings.append(found != rows.cend() ? m_table.at(*found).toString()
                                             : KeywordReading::of(keyword));
    }
    return readings;
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
    return m_ready ? find(KeywordReading::ofTyped(text)) : -1;
}

qsizetype KeywordReadings::find(const KeywordReading::Typed &typed) const
{
    if (!m_ready || typed.reading.isEmpty())
        return -1;
    const qsizetype first = firstBeginningWith(typed.reading);
    if (typed.other.isEmpty())
        return first;
    const qsizetype other = firstBeginningWith(typed.other);
    return first < 0 || (other >= 0 && other < first) ? other : first;
}
