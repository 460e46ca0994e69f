#include "ApplicationIndex.h"

#include "KeywordReading.h"
#include "KeywordReadings.h"

#include "platform/InstalledApplications.h"

#include <QFileInfo>
#include <QFileSystemWatcher>
#include <QThread>
#include <QTimer>

#ifdef Q_OS_LINUX
#include <sys/resource.h>
#include <unistd.h>
#endif

#include <algorithm>
#include <numeric>

namespace {

// The reader's nice value, as the keywords' readers have it.
[[maybe_unused]] constexpr int ReaderNice = 10;
// How long the folders stay quiet before they are read again.
constexpr int SettleMs = 200;

// Which of an application's names a key is, the earlier preferred.
enum NameKind : uint32_t { Name, GenericName, Keyword, Program };

QString folded(QStringView text)
{
    return text.toString().normalized(QString::NormalizationForm_KC).toCaseFolded();
}

// Where keys of two applications begin with a text: the earlier kind of name, then the
// application named first.
uint32_t rank(uint32_t owner)
{
    return (owner & 3) << 30 | owner >> 2;
}

} // namespace

void ApplicationIndex::Texts::append(const QString &text)
{
    bytes += text.toUtf8();
    ends.push_back(uint32_t(bytes.size()));
}

std::string_view ApplicationIndex::Texts::at(size_t i) const
{
    const uint32_t begin = i == 0 ? 0 : ends[i - 1];
    return std::string_view(bytes.constData() + begin, ends[i] - begin);
}

void ApplicationIndex::Keys::add(const QString &key, uint32_t owner)
{
    if (key.isEmpty())
        return;
    texts.append(key);
    owners.push_back(owner);
}

void ApplicationIndex::Keys::sort()
{
    texts.bytes.squeeze();
    texts.ends.shrink_to_fit();
    owners.shrink_to_fit();
    sorted.resize(owners.size());
    std::iota(sorted.begin(), sorted.end(), 0u);
    std::stable_sort(sorted.begin(), sorted.end(),
                     [this](uint32_t a, uint32_t b) { return texts.at(a) < texts.at(b); });
}

qsizetype ApplicationIndex::Keys::first(std::string_view prefix) const
{
    const auto from = std::partition_point(sorted.begin(), sorted.end(),
                                           [&](uint32_t key) { return texts.at(key) < prefix; });
    const auto to = std::partition_point(
        from, sorted.end(), [&](uint32_t key) { return texts.at(key).starts_with(prefix); });
    if (from == to)
        return -1;
    const auto best = std::min_element(
        from, to, [this](uint32_t a, uint32_t b) { return rank(owners[a]) < rank(owners[b]); });
    return qsizetype(owners[*best]);
}

ApplicationIndex::ApplicationIndex(InstalledApplications &source, QObject *parent)
    : QObject(parent)
    , m_source(source)
    , m_watcher(new QFileSystemWatcher(this))
    , m_settle(new QTimer(this))
{
    m_settle->setSingleShot(true);
    m_settle->setInterval(SettleMs);
    connect(m_watcher, &QFileSystemWatcher::directoryChanged, m_settle,
            qOverload<>(&QTimer::start));
    connect(m_settle, &QTimer::timeout, this, [this] {
        watchFolders();
        read();
    });
}

ApplicationIndex::~ApplicationIndex()
{
    if (!m_reader)
        return;
    m_cancelled->store(true);
    m_reader->wait();
    delete m_reader;
}

void ApplicationIndex::start()
{
    if (m_started)
        return;
    m_started = true;
    watchFolders();
    read();
}

void ApplicationIndex::watchFolders()
{
    if (const QStringList watched = m_watcher->directories(); !watched.isEmpty())
        m_watcher->removePaths(watched);
    // A folder that does not exist yet is seen being made from its parent.
    for (const QString &folder : m_source.folders()) {
        const QFileInfo info(folder);
        const QString path = info.isDir() ? folder : info.absolutePath();
        if (QFileInfo(path).isDir() && !m_watcher->directories().contains(path))
            m_watcher->addPath(path);
    }
}

void ApplicationIndex::read()
{
    if (m_reader) {
        m_readAgain = true;
        return;
    }
    auto cancelled = std::make_shared<std::atomic<bool>>(false);
    auto table = std::make_shared<Table>();
    m_cancelled = cancelled;
    m_reader = QThread::create([&source = m_source, table, cancelled] {
#ifdef Q_OS_LINUX
        setpriority(PRIO_PROCESS, id_t(gettid()), ReaderNice);
#endif
        build(source, *table, *cancelled);
    });
    m_reader->setObjectName(QStringLiteral("applications"));
    connect(m_reader, &QThread::finished, this, [this, table] {
        m_reader->deleteLater();
        m_reader = nullptr;
        m_table = std::move(*table);
        m_ready = true;
        emit applicationsReady();
        if (std::exchange(m_readAgain, false))
            read();
    });
    m_reader->start(QThread::LowPriority);
}

void ApplicationIndex::build(InstalledApplications &source, Table &table,
                             const std::atomic<bool> &cancelled)
{
    const QList<InstalledApplication> applications = source.read(cancelled);
    std::vector<QString> names;
    names.reserve(size_t(applications.size()));
    for (const InstalledApplication &application : applications)
        names.push_back(folded(application.name));
    std::vector<uint32_t> order(names.size());
    std::iota(order.begin(), order.end(), 0u);
    std::stable_sort(order.begin(), order.end(), [&](uint32_t a, uint32_t b) {
        return std::tie(names[a], applications[a].name) < std::tie(names[b], applications[b].name);
    });
    table.shown.ends.reserve(order.size() * ShownFields);
    for (uint32_t rankByName = 0; rankByName < uint32_t(order.size()); ++rankByName) {
        if (cancelled.load(std::memory_order_relaxed))
            return;
        const InstalledApplication &application = applications[order[rankByName]];
        table.shown.append(application.file);
        table.shown.append(application.name);
        table.shown.append(application.comment);
        const uint32_t owner = rankByName << 2;
        const auto add = [&](const QString &name, NameKind kind) {
            const QString literal = folded(name);
            table.literal.add(literal, owner | kind);
            if (kind == Program)
                return;
            // Where the reading says no more than the name (Latin letters), it is left out.
            if (const QString reading = KeywordReadings::of(name); reading != literal)
                table.reading.add(reading, owner | kind);
        };
        add(application.name, Name);
        add(application.genericName, GenericName);
        for (const QString &keyword : application.keywords)
            add(keyword, Keyword);
        add(application.program, Program);
    }
    table.shown.bytes.squeeze();
    table.literal.sort();
    table.reading.sort();
}

qsizetype ApplicationIndex::find(QStringView text, const KeywordReading::Typed *reading) const
{
    if (!m_ready || text.isEmpty())
        return -1;
    if (const qsizetype owner = m_table.literal.first(folded(text).toStdString()); owner >= 0)
        return owner >> 2;
    if (!reading || reading->reading.isEmpty())
        return -1;
    const qsizetype first = m_table.reading.first(reading->reading.toStdString());
    const qsizetype other =
        reading->other.isEmpty() ? -1 : m_table.reading.first(reading->other.toStdString());
    if (first < 0 || (other >= 0 && rank(uint32_t(other)) < rank(uint32_t(first))))
        return other < 0 ? -1 : other >> 2;
    return first >> 2;
}

QString ApplicationIndex::shown(qsizetype application, int field) const
{
    const std::string_view text = m_table.shown.at(size_t(application) * ShownFields + field);
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

qsizetype ApplicationIndex::memoryUsed() const
{
    const auto texts = [](const Texts &t) {
        return qsizetype(t.bytes.capacity() + t.ends.capacity() * sizeof(uint32_t));
    };
    const auto keys = [&](const Keys &k) {
        return texts(k.texts)
               + qsizetype((k.owners.capacity() + k.sorted.capacity()) * sizeof(uint32_t));
    };
    return qsizetype(sizeof(*this)) + texts(m_table.shown) + keys(m_table.literal)
           + keys(m_table.reading);
}
