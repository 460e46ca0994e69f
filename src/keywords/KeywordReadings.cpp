#include "KeywordReadings.h"

#include "KanjiReading.h"
#include "KeywordReading.h"
#include "KeywordStore.h"

#include <QCoreApplication>
#include <QPointer>
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

KeywordReadings::~KeywordReadings() = default;

void KeywordReadings::start()
{
    m_started = true;
    rebuild();
}

KeywordReadings::Table KeywordReadings::readAll(const QStringList &keywords)
{
    Table table;
    table.ends.reserve(size_t(keywords.size()));
    for (const QString &keyword : keywords) {
        table.readings += KeywordReading::of(KanjiReading::hiraganaOf(keyword));
        table.ends.push_back(table.readings.size());
    }
    table.readings.squeeze();
    return table;
}

void KeywordReadings::rebuild()
{
    m_ready = false;
    const int generation = ++m_generation;
    const QStringList keywords = m_store.keywords(); // a shared copy, safe on the thread
    QPointer<KeywordReadings> self(this);
    QThread *thread = QThread::create([self, keywords, generation] {
        auto table = std::make_shared<Table>(readAll(keywords));
        // Handed over on the interface thread, where a reading of an older list is dropped.
        QMetaObject::invokeMethod(
            QCoreApplication::instance(),
            [self, table, generation] {
                if (!self || generation != self->m_generation)
                    return;
                self->m_table = std::move(*table);
                self->m_ready = true;
                emit self->readingsReady();
            },
            Qt::QueuedConnection);
    });
    connect(thread, &QThread::finished, thread, &QObject::deleteLater);
    thread->start(QThread::LowPriority);
}

qsizetype KeywordReadings::find(QStringView text) const
{
    if (!m_ready)
        return -1;
    const QString reading = KeywordReading::of(text);
    if (reading.isEmpty())
        return -1;
    const QStringView all(m_table.readings);
    qsizetype begin = 0;
    for (size_t row = 0; row < m_table.ends.size(); ++row) {
        const qsizetype end = m_table.ends[row];
        if (all.sliced(begin, end - begin).startsWith(reading))
            return qsizetype(row);
        begin = end;
    }
    return -1;
}
