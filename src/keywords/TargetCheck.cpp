#include "TargetCheck.h"

#include "KeywordText.h"

#include "base/Error.h"
#include "base/FileSystem.h"
#include "base/ShiftJis.h"
#include "base/TextFile.h"
#include "platform/Shell.h"

#include <QElapsedTimer>
#include <QHash>
#include <QStandardPaths>

#include <optional>
#include <utility>

namespace {

// How often a running check reports what it has found so far.
constexpr qint64 kReportEveryMs = 100;

// Whether targets are missing, the programs on PATH looked up once per name.
class Targets
{
public:
    bool missing(const QString &target)
    {
        if (target.isEmpty() || Shell::isAddress(target) || Shell::isFileManager(target)
            || FileSystem::exists(target))
            return false;
        if (target.contains(u'/'))
            return true;
        auto program = m_programs.constFind(target);
        if (program == m_programs.cend())
            program = m_programs.insert(target, !QStandardPaths::findExecutable(target).isEmpty());
        return !*program;
    }

private:
    QHash<QString, bool> m_programs;
};

// The entry file of a keyword as the store finds it: the exact name, else a name equal
// but for letter case, the folder listed once for all keywords.
class EntryFiles
{
public:
    explicit EntryFiles(QString folder)
        : m_folder(std::move(folder) + u'/')
    {
    }

    QString find(const QString &keyword)
    {
        if (!KeywordText::isFileName(keyword))
            return {};
        if (const QString exact = m_folder + keyword; FileSystem::isFile(exact))
            return exact;
        if (!m_listed) {
            m_listed = true;
            for (const QString &name : FileSystem::listFolder(m_folder))
                if (const QString key = name.toCaseFolded(); !m_names.contains(key))
                    m_names.insert(key, name);
        }
        const QString name = m_names.value(keyword.toCaseFolded());
        return !name.isEmpty() && FileSystem::isFile(m_folder + name) ? m_folder + name : QString();
    }

private:
    QString m_folder;
    bool m_listed = false;
    QHash<QString, QString> m_names;
};

// The target line of an entry file, or nothing when the file cannot be read.
std::optional<QString> storedTarget(const QString &file)
{
    if (file.isEmpty())
        return std::nullopt;
    try {
        return ShiftJis::decode(TextFile::splitLineBytes(TextFile::readBytes(file)).value(0));
    } catch (const Error &) {
        return std::nullopt;
    }
}

} // namespace

struct TargetCheck::Findings
{
    QList<qsizetype> missing;
    bool last = false;
};

TargetCheck::TargetCheck(QString dataFolder, QObject *parent)
    : QObject(parent)
    , m_dataFolder(std::move(dataFolder))
{
    // One file at a time: the disk is not faster for being asked twice.
    m_pool.setMaxThreadCount(1);
}

TargetCheck::~TargetCheck()
{
    cancel();
    m_pool.waitForDone();
}

void TargetCheck::start(const QStringList &keywords)
{
    cancel();
    m_cancelled = std::make_shared<std::atomic_bool>(false);
    ++m_pendingJobs;
    m_pool.start([this, generation = m_generation, cancelled = m_cancelled, keywords] {
        readEntries(generation, cancelled, keywords);
    });
}

void TargetCheck::cancel()
{
    if (m_cancelled)
        *m_cancelled = true;
    ++m_generation;
    m_pendingJobs = 0;
}

bool TargetCheck::isMissing(const QString &target)
{
    return Targets().missing(target);
}

void TargetCheck::readEntries(int generation, const Cancelled &cancelled,
                              const QStringList &keywords)
{
    EntryFiles entries(m_dataFolder);
    Targets targets;
    Findings findings;
    QElapsedTimer sinceReport;
    sinceReport.start();
    for (qsizetype i = 0; i < keywords.size() && !*cancelled; ++i) {
        const std::optional<QString> target = storedTarget(entries.find(keywords[i]));
        if (!target || targets.missing(*target))
            findings.missing.append(i);
        if (!findings.missing.isEmpty() && sinceReport.hasExpired(kReportEveryMs)) {
            post(generation, std::exchange(findings, {}));
            sinceReport.restart();
        }
    }
    findings.last = true;
    post(generation, std::move(findings));
}

void TargetCheck::post(int generation, Findings findings)
{
    QMetaObject::invokeMethod(
        this, [this, generation, findings = std::move(findings)] { deliver(generation, findings); },
        Qt::QueuedConnection);
}

void TargetCheck::deliver(int generation, const Findings &findings)
{
    if (generation != m_generation)
        return;
    if (!findings.missing.isEmpty())
        emit found(findings.missing);
    if (findings.last && --m_pendingJobs == 0)
        emit finished();
}
