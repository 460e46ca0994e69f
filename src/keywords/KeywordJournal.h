#pragma once

#include <QList>
#include <QString>

// What a change of the keyword list is about to do to entry files, written down before it
// touches them and deleted once data.lst and the folder agree again. Should the program die
// in between, the next start reads it and finishes or undoes the change, so that no entry
// file the program made is left without its row.
class KeywordJournal
{
public:
    struct Step
    {
        // An entry file in the data folder.
        QString fileName;
        // Whether the change ends with the file listed in data.lst (a registration) or not
        // (a deletion, or an entry whose row was never written).
        bool listed = false;

        bool operator==(const Step &) const = default;
    };

    explicit KeywordJournal(QString path);

    const QString &path() const { return m_path; }
    bool pending() const;
    // Written whole or not at all; raises the create error.
    void begin(const QList<Step> &steps) const;
    // Deletes the journal; one that cannot be deleted is read again at the next start,
    // which then finds nothing left to do.
    void end() const;
    // The steps of a journal left behind; lines it cannot make out are passed over.
    QList<Step> read() const;

private:
    QString m_path;
};
