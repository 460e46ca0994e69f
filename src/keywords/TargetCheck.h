#pragma once

#include <QList>
#include <QObject>
#include <QStringList>
#include <QThreadPool>

#include <atomic>
#include <memory>

// Looks, away from the window's thread, for keywords that lead nowhere: no entry file, or a
// target that is a local file or folder no longer there. A long list means reading as many
// entry files, which takes seconds; the findings come in batches, by signal in the thread
// that owns the check.
class TargetCheck : public QObject
{
    Q_OBJECT

public:
    explicit TargetCheck(QString dataFolder, QObject *parent = nullptr);
    // Drops the check under way, waiting only for the file it is reading.
    ~TargetCheck() override;

    // Checks the keywords' entries, dropping any check under way. Findings name a keyword by
    // its index in this list.
    void start(const QStringList &keywords);
    // Drops the check under way: nothing more is reported from it.
    void cancel();
    bool isRunning() const { return m_pendingJobs > 0; }

    // Whether opening the target looks for something that is not there: a file or folder
    // (named by a path), or a program on PATH (a bare name). Addresses, the file manager's
    // folders of the special items and an empty target (shutdown, reboot) never miss.
    static bool isMissing(const QString &target);

signals:
    void found(const QList<qsizetype> &missingTargets);
    void finished();

private:
    struct Findings;
    using Cancelled = std::shared_ptr<std::atomic_bool>;

    void readEntries(int generation, const Cancelled &cancelled, const QStringList &keywords);
    void post(int generation, Findings findings);
    void deliver(int generation, const Findings &findings);

    QString m_dataFolder;
    QThreadPool m_pool;
    Cancelled m_cancelled;
    int m_generation = 0;
    int m_pendingJobs = 0;
};
