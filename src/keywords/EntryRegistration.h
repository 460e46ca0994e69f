#pragma once

#include <QString>

class KeywordStore;
struct Entry;

// Registering a keyword by hand: the checks on what the user typed, and the two ways it is
// written (a new keyword placed in data.lst, or the entry of a listed one rewritten).
class EntryRegistration
{
public:
    explicit EntryRegistration(KeywordStore &store);


    // Everything that would make the files unsound is refused with its message before
    // anything is written: a name that cannot name a file in the store folder, a line break
    // in any field (it would shift the entry's lines or split a row of data.lst), text the
    // code page cannot hold.
    static void check(const QString &name, const Entry &entry);

    // The rows of data.lst, as read from disk, equal to the name; reading raises the open
    // error when data.lst cannot be read.
    qsizetype equalRows(const QString &name) const;

    // A name equal to no row: placed by the first-character rule, then its entry written.
    void add(const QString &name, const Entry &entry);
    // A listed name: its entry file rewritten under the file's own spelling, so that a name
    // typed in other letter case leaves no second file beside it.
    void overwrite(const QString &name, const Entry &entry);

private:
    KeywordStore &m_store;
};
