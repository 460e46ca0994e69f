#pragma once

#include "KeywordReading.h"

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QStringView>

#include <atomic>
#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

class InstalledApplications;
class QFileSystemWatcher;
class QThread;
class QTimer;

// The installed applications, by which the line reaches what no keyword does: each found by
// the beginning of its name, then of its GenericName, its Keywords and its program's name (case
// and width folded), and by the readings of the first three as keywords are (電卓 by "dentaku").
// In a fixed order, by name, that use never reshuffles.
//
// Read on a thread of its own below normal priority, after start() and again when an
// applications folder changes (a package installed or removed); until a reading is done, the
// one before it answers (none at first). The interface thread never waits for it and shares
// no lock with it: a reading is handed over whole through the event loop.
//
// Kept compact: the texts shown (entry, name, comment) one after another in one UTF-8 buffer,
// the folded names and readings in another, with the ends of each and the keys in sorted
// order, which a text's keys are found in by halving.
class ApplicationIndex : public QObject
{
    Q_OBJECT

public:
    explicit ApplicationIndex(InstalledApplications &source, QObject *parent = nullptr);
    ~ApplicationIndex() override;

    // Reads the applications, and again after each change of their folders.
    void start();
    bool started() const { return m_started; }
    bool ready() const { return m_ready; }

    // The first application, by name, whose names begin with the text (folded); where none
    // does and by reading, the first one whose names' readings begin with the text's. -1 when
    // none does, while nothing was read, and for an empty text.
    // The text's reading is made by the caller (KeywordReading::ofTyped), who looks among the
    // keywords' readings with it first; none: not by reading.
    qsizetype find(QStringView text, const KeywordReading::Typed *reading) const;

    qsizetype size() const { return qsizetype(m_table.shown.ends.size() / ShownFields); }
    QString file(qsizetype application) const { return shown(application, 0); }
    QString name(qsizetype application) const { return shown(application, 1); }
    QString comment(qsizetype application) const { return shown(application, 2); }

    // The bytes the index holds, for measuring it.
    qsizetype memoryUsed() const;

signals:
    void applicationsReady();

private:
    static constexpr int ShownFields = 3;

    // Texts one after another, with where each ends.
    struct Texts
    {
        QByteArray bytes;
        std::vector<uint32_t> ends;

        void append(const QString &text);
        std::string_view at(size_t i) const;
    };
    // The keys an application is found by, each with its owner (application << 2 | which of
    // its names), in sorted order.
    struct Keys
    {
        Texts texts;
        std::vector<uint32_t> owners;
        std::vector<uint32_t> sorted;

        void add(const QString &key, uint32_t owner);
        void sort();
        // The owner of the keys beginning with the prefix that sorts first (its application
        // named before another's, in its earliest name), or -1.
        qsizetype first(std::string_view prefix) const;
    };
    struct Table
    {
        Texts shown;  // entry, name and comment of each application, by name
        Keys literal; // folded names
        Keys reading; // their readings
    };
    static void build(InstalledApplications &source, Table &table,
                      const std::atomic<bool> &cancelled);
    QString shown(qsizetype application, int field) const;
    void read();
    void watchFolders();

    InstalledApplications &m_source;
    Table m_table;
    bool m_started = false;
    bool m_ready = false;
    bool m_readAgain = false; // a folder changed while a reading was under way
    QThread *m_reader = nullptr;
    std::shared_ptr<std::atomic<bool>> m_cancelled;
    QFileSystemWatcher *m_watcher;
    QTimer *m_settle; // a package's files come in a burst: read once they have
};
