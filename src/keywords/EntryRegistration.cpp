#include "EntryRegistration.h"

#include "Entry.h"
#include "KeywordMessages.h"
#include "KeywordStore.h"
#include "KeywordText.h"

#include "base/Error.h"
#include "base/TextFile.h"

#include <QFileInfo>

#include <algorithm>

namespace {

bool hasLineBreak(const QString &text)
{
    return text.contains(u'\r') || text.contains(u'\n');
}

} // namespace

EntryRegistration::EntryRegistration(KeywordStore &store)
    : m_store(store)
{
}

void EntryRegistration::check(const QString &name, const Entry &entry)
{
    const QStringList lines = KeywordStore::entryLines(entry);
    if (hasLineBreak(name) || std::ranges::any_of(lines, hasLineBreak))
        throw Error(KeywordMessages::lineBreakInEntry());
    KeywordText::checkFileName(name);
    TextFile::encodeLines(QStringList(lines) << name);
}

qsizetype EntryRegistration::equalRows(const QString &name) const
{
    const QStringList rows = TextFile::readLines(m_store.listFile());
    return std::ranges::count_if(rows,
                                 [&](const QString &row) { return KeywordText::equal(row, name); });
}

void EntryRegistration::add(const QString &name, const Entry &entry)
{
    m_store.insertKeyword(name, entry);
}

void EntryRegistration::overwrite(const QString &name, const Entry &entry)
{
    const QString existing = m_store.findEntryFile(name);
    m_store.overwriteEntry(existing.isEmpty() ? name : QFileInfo(existing).fileName(), entry);
}
