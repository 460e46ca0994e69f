#include "KeywordReadings.h"

#include "KanjiReading.h"
#include "KeywordReading.h"
#include "KeywordStore.h"
#include "KeywordText.h"

#include <QThread>

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
    table.heads.reserve(size_t(keywords.size()));
    for (const QString &keyword : keywords) {
        if (cancelled.load(std::memory_order_relaxed))
            return;
        const QString reading = of(keyword);
        table.readings += reading;
        table.ends.push_back(uint32_t(table.readings.size()));
        table.heads.push_back(KeywordText::head(reading));
    }
    table.readings.squeeze();
}

void KeywordReadings::rebuild()
{
    stopReading();
    m_ready = false;
    const int generation = ++m_generation;
    m_cancelled = std::make_shared<std::atomic<bool>>(false);
    auto table = std::make_shared<Table>();
    m_thread = QThread::create(
        [keywords = m_store.keywords(), table, cancelled = m_cancelled] {
            readAll(keywords, *table, *cancelled);
        });
    // Handed over on this thread, where a reading of an older list is dropped.
    connect(m_thread, &QThread::finished, this, [this, table, generation] {
        if (generation != m_generation || m_cancelled->load())
            return;
        m_thread->deleteLater();
        m_thread = nullptr;
        m_table = std::move(*table);
        m_ready = true;
        emit readingsReady();
    });
    m_thread->start(QThread::LowPriority);
}

QStringView KeywordReadings::reading(qsizetype row) const
{
    if (!m_ready || row < 0 || size_t(row) >= m_table.ends.size())
        return {};
    const uint32_t begin = row == 0 ? 0 : m_table.ends[size_t(row) - 1];
    return QStringView(m_table.readings).sliced(begin, m_table.ends[size_t(row)] - begin);
}

qsizetype KeywordReadings::firstBeginningWith(QStringView reading) const
{
    const uint64_t mask = KeywordText::prefixMask(reading);
    const uint64_t units = KeywordText::head(reading) & mask;
    const uint64_t size = uint64_t(std::min<qsizetype>(reading.size(), 0xFFFF));
    const QStringView all(m_table.readings);
    const size_t n = m_table.heads.size();
    for (size_t row = 0; row < n; ++row) {
        const uint64_t head = m_table.heads[row];
        if ((head & mask) != units || head >> 32 < size)
            continue;
        const uint32_t begin = row == 0 ? 0 : m_table.ends[row - 1];
        if (all.sliced(begin, m_table.ends[row] - begin).startsWith(reading))
            return qsizetype(row);
    }
    return -1;
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
