#pragma once

#include "Entry.h"
#include "KeywordJournal.h"
#include "KeywordList.h"

#include <QHash>
#include <QObject>
#include <QStringList>

#include <vector>

// The registered keywords: one entry file per keyword in the folder "data", and their
// order in "data.lst", both in the data folder. The keyword list is the in-memory
// copy of data.lst; its views hear before and after it is replaced.
class KeywordStore : public QObject
{
    Q_OBJECT

public:
    explicit KeywordStore(QString dataFolder, QObject *parent = nullptr);

    QString dataFolder() const;
    QString listFile() const;
    // The entry file's path for a keyword, spelled as given.
    QString entryPath(const QString &keyword) const;

    const KeywordList &keywords() const { return m_keywords; }

    // Start-up: creates the store folder if needed, then loads data.lst or rebuilds it
    // from the folder's listing, and finishes a change an earlier run left half done.
    void load();
    // Reads data.lst anew into the keyword list.
    void reload();
    // Saves the keyword list as data.lst.
    void save() const;
    // data.lst as it is on disk now, empty when there is none; the keyword list stays as it is.
    // Rows the code page cannot read are still written back as they were read.
    QStringList readListFile();

    // The first row equal to the text (case ignored), or -1.
    qsizetype find(QStringView text) const;
    // The last row equal to the text (case ignored), or -1.
    qsizetype findLast(QStringView text) const;
    // The first row that begins with the text (case ignored), or -1.
    qsizetype findPrefix(QStringView text) const;

    // The entry file named by the text regardless of letter case: the exact name, then
    // the list's own spelling, then a scan of the folder. Empty when there is none.
    QString findEntryFile(const QString &text) const;
    bool entryExists(const QString &text) const;
    // Raises the open error when the file is missing or unreadable.
    Entry readEntry(const QString &text) const;
    // The entry in a file already found; raises the open error when it cannot be read.
    static Entry readEntryFile(const QString &path);

    // Places a new keyword by the insertion rule over data.lst as read from disk, writes
    // its entry and reloads the list. The keyword must equal no row. When data.lst cannot be
    // written, the entry file is put back as it was (removed, or its old bytes restored).
    void insertKeyword(const QString &keyword, const Entry &entry);
    // Rewrites the entry file only.
    void overwriteEntry(const QString &keyword, const Entry &entry);
    // Saves data.lst without the row, then deletes the entry file the row names; a failed
    // save changes nothing.
    void removeKeyword(qsizetype row);
    // Saves the sequence as data.lst and reloads the list from it.
    void rewriteOrder(const QStringList &keywords);

    // A change of entry files and data.lst together: beginChange() writes down the files it
    // will touch and whether each ends listed (KeywordJournal), before any is touched;
    // finishChange() then deletes the named files data.lst does not list, lists those meant
    // to be listed, and strikes the journal out. load() finishes a change the program did not
    // live to finish the same way. The store's own changes do this themselves.
    void beginChange(const QList<KeywordJournal::Step> &steps);
    void finishChange();

    static Entry parseEntry(const QStringList &lines);
    static QStringList entryLines(const Entry &entry);

signals:
    void listAboutToChange();
    void listChanged();

private:
    void setKeywords(KeywordList keywords);
    // data.lst's rows; a row the code page cannot read is shown with replacement characters
    // and kept, with its bytes, for writing back exactly as it was read.
    KeywordList readList();
    QByteArray encodeList(const KeywordList &rows) const;
    QByteArray encodeList(const QStringList &rows) const;
    void encodeRow(QStringView row, QHash<QString, qsizetype> &written, QByteArray &bytes) const;

    QString m_folder;
    KeywordJournal m_journal;
    KeywordList m_keywords;
    // KeywordText::head() of every row, in order.
    std::vector<uint64_t> m_heads;
    // The rows of the last read of data.lst that the code page cannot read, by the text they
    // are shown as: their bytes in the order read, as two such rows may show alike.
    QHash<QString, QList<QByteArray>> m_unreadableRows;
};
