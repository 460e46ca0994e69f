#include "KeywordStore.h"

#include "FirstCharacterOrder.h"
#include "InsertionRule.h"
#include "KeywordMessages.h"
#include "KeywordText.h"

#include "base/Error.h"
#include "base/FileSystem.h"
#include "base/Messages.h"
#include "base/Paths.h"
#include "base/ShiftJis.h"
#include "base/TextFile.h"

#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <optional>

KeywordStore::KeywordStore(QString dataFolder, QObject *parent)
    : QObject(parent)
    , m_folder(std::move(dataFolder))
    , m_journal(m_folder + QStringLiteral("data.journal"))
{
}

QString KeywordStore::dataFolder() const
{
    return m_folder + QStringLiteral("data");
}

QString KeywordStore::listFile() const
{
    return m_folder + QStringLiteral("data.lst");
}

QString KeywordStore::entryPath(const QString &keyword) const
{
    return dataFolder() + u'/' + keyword;
}

void KeywordStore::load()
{
    Paths::ensureFolder(dataFolder());
    // What a write cut short between naming its new file and renaming it left.
    FileSystem::removeFile(TextFile::temporaryName(listFile()));
    FileSystem::removeFile(TextFile::temporaryName(m_journal.path()));
    if (FileSystem::exists(listFile())) {
        reload();
        if (m_journal.pending())
            finishChange();
        return;
    }
    // Rebuilt from the folder's names, as the code page can write them: a name in decomposed
    // form (as copied from some systems) is listed composed, and its file is still found by
    // findEntryFile(); a name that cannot be written at all is left out, and said.
    QStringList rows;
    QStringList unwritable;
    for (const QString &name : FileSystem::listFolder(dataFolder())) {
        if (TextFile::isTemporaryName(name))
            continue;
        const QString composed = name.normalized(QString::NormalizationForm_C);
        (ShiftJis::encode(composed) ? rows : unwritable).append(composed);
    }
    setKeywords(KeywordList(rows));
    save();
    if (!unwritable.isEmpty())
        throw Error(KeywordMessages::unlistableFiles(unwritable));
}

void KeywordStore::beginChange(const QList<KeywordJournal::Step> &steps)
{
    m_journal.begin(steps);
}

void KeywordStore::finishChange()
{
    KeywordList rows = m_keywords;
    std::optional<FirstCharacterOrder> order;
    for (const KeywordJournal::Step &step : m_journal.read()) {
        const QString path = entryPath(step.fileName);
        if (KeywordText::isFileName(step.fileName))
            FileSystem::removeFile(TextFile::temporaryName(path));
        // A file to be listed is so under any spelling; a file to be deleted stays only while a
        // row leads to it: "Foo" leads to its own file, never to "foo" beside it.
        const bool listed = std::ranges::any_of(rows, [&](QStringView row) {
            if (!KeywordText::equal(row, step.fileName))
                return false;
            return step.listed || row == step.fileName || !KeywordText::isFileName(row)
                   || !FileSystem::isFile(entryPath(row.toString()));
        });
        if (listed || !KeywordText::isFileName(step.fileName) || !FileSystem::isFile(path))
            continue;
        if (step.listed) {
            if (!order)
                order.emplace();
            rows = KeywordList(insertByFirstCharacter(rows.toList(), step.fileName, *order));
        } else {
            FileSystem::removeFile(path);
        }
    }
    if (rows.size() != m_keywords.size()) {
        TextFile::writeBytes(listFile(), encodeList(rows));
        setKeywords(std::move(rows));
    }
    m_journal.end();
}

void KeywordStore::reload()
{
    setKeywords(readList());
}

void KeywordStore::save() const
{
    TextFile::writeBytes(listFile(), encodeList(m_keywords));
}

QStringList KeywordStore::readListFile()
{
    return FileSystem::exists(listFile()) ? readList().toList() : QStringList();
}

KeywordList KeywordStore::readList()
{
    const QByteArray bytes = TextFile::readBytes(listFile());
    KeywordList rows = KeywordList::fromLines(TextFile::decode(bytes));
    QHash<QString, QList<QByteArray>> unreadable;
    if (!ShiftJis::isAscii(bytes)) {
        QList<QByteArray> raw;
        for (qsizetype i = 0; i < rows.size(); ++i) {
            if (!rows[i].contains(QChar::ReplacementCharacter))
                continue;
            if (raw.isEmpty())
                raw = TextFile::splitLineBytes(bytes);
            if (raw.size() == rows.size())
                unreadable[rows.value(i)].append(raw[i]);
        }
    }
    m_unreadableRows = std::move(unreadable);
    return rows;
}

QByteArray KeywordStore::encodeList(const KeywordList &rows) const
{
    QByteArray bytes;
    QHash<QString, qsizetype> written;
    for (const QStringView row : rows)
        encodeRow(row, written, bytes);
    return bytes;
}

QByteArray KeywordStore::encodeList(const QStringList &rows) const
{
    QByteArray bytes;
    QHash<QString, qsizetype> written;
    for (const QString &row : rows)
        encodeRow(row, written, bytes);
    return bytes;
}

void KeywordStore::encodeRow(QStringView row, QHash<QString, qsizetype> &written,
                             QByteArray &bytes) const
{
    // Rows shown alike are written back with their own bytes, in the order they were read.
    // Only a row showing a replacement character can be one of them.
    if (row.contains(QChar::ReplacementCharacter)) {
        const QString shown = row.toString();
        const auto unreadable = m_unreadableRows.constFind(shown);
        if (unreadable != m_unreadableRows.cend()) {
            qsizetype &count = written[shown];
            bytes += unreadable->at(std::min(count++, unreadable->size() - 1));
            bytes += "\r\n";
            return;
        }
    }
    bytes += ShiftJis::encodeOrThrow(row);
    bytes += "\r\n";
}

void KeywordStore::setKeywords(KeywordList keywords)
{
    emit listAboutToChange();
    m_keywords = std::move(keywords);
    m_heads.resize(size_t(m_keywords.size()));
    for (qsizetype i = 0; i < m_keywords.size(); ++i)
        m_heads[size_t(i)] = KeywordText::head(m_keywords[i]);
    emit listChanged();
}

qsizetype KeywordStore::find(QStringView text) const
{
    const uint64_t mask = KeywordText::equalMask(text);
    const uint64_t head = KeywordText::head(text) & mask;
    const size_t n = m_heads.size();
    for (size_t i = 0; i < n; ++i)
        if ((m_heads[i] & mask) == head && KeywordText::equal(m_keywords[qsizetype(i)], text))
            return qsizetype(i);
    return -1;
}

qsizetype KeywordStore::findLast(QStringView text) const
{
    const uint64_t mask = KeywordText::equalMask(text);
    const uint64_t head = KeywordText::head(text) & mask;
    for (size_t i = m_heads.size(); i-- > 0;)
        if ((m_heads[i] & mask) == head && KeywordText::equal(m_keywords[qsizetype(i)], text))
            return qsizetype(i);
    return -1;
}

qsizetype KeywordStore::findPrefix(QStringView text) const
{
    if (text.isEmpty())
        return m_keywords.isEmpty() ? -1 : 0;
    // The first two units and the length pass over nearly every other row of a long list
    // without touching its text.
    const uint64_t mask = KeywordText::prefixMask(text);
    const uint64_t units = KeywordText::head(text) & mask;
    const uint64_t size = uint64_t(std::min<qsizetype>(text.size(), 0xFFFF));
    const size_t n = m_heads.size();
    for (size_t i = 0; i < n; ++i) {
        const uint64_t head = m_heads[i];
        if ((head & mask) == units && head >> 32 >= size
            && KeywordText::startsWith(m_keywords[qsizetype(i)], text))
            return qsizetype(i);
    }
    return -1;
}

QString KeywordStore::findEntryFile(const QString &text) const
{
    if (!KeywordText::isFileName(text))
        return {};
    const QString exact = entryPath(text);
    if (FileSystem::isFile(exact))
        return exact;
    const qsizetype row = find(text);
    if (row >= 0 && KeywordText::isFileName(m_keywords[row])) {
        const QString listed = entryPath(m_keywords.value(row));
        if (FileSystem::isFile(listed))
            return listed;
    }
    // Plain files only (a link to one is one): a pipe or a device named like the keyword
    // is no entry, and reading it would hang.
    // Names compared composed: a decomposed "が" ("か" and a mark, as copied from some
    // systems) is the same keyword.
    const QString composedText = text.normalized(QString::NormalizationForm_C);
    return FileSystem::findFile(dataFolder(), [&](const QString &name) {
        return KeywordText::equal(name.normalized(QString::NormalizationForm_C), composedText);
    });
}

bool KeywordStore::entryExists(const QString &text) const
{
    return !findEntryFile(text).isEmpty();
}

Entry KeywordStore::readEntry(const QString &text) const
{
    const QString path = findEntryFile(text);
    if (path.isEmpty())
        throw Error(Messages::cannotOpenFile(entryPath(text), Messages::systemReason(ENOENT)));
    return readEntryFile(path);
}

Entry KeywordStore::readEntryFile(const QString &path)
{
    // An entry is three lines; whatever follows them is never read, however large.
    return parseEntry(TextFile::readFirstLines(path, 3));
}

Entry KeywordStore::parseEntry(const QStringList &lines)
{
    return {lines.value(0), lines.value(1), lines.value(2)};
}

QStringList KeywordStore::entryLines(const Entry &entry)
{
    return {entry.target, entry.description, entry.parameters};
}

void KeywordStore::insertKeyword(const QString &keyword, const Entry &entry)
{
    KeywordText::checkFileName(keyword);
    // Both files are encoded before either is written, so refused text writes nothing.
    const QByteArray entryBytes = TextFile::encodeLines(entryLines(entry));
    const QStringList rows = FileSystem::exists(listFile()) ? readList().toList() : QStringList();
    // The collation data is loaded only when a keyword is registered, never at start-up.
    const FirstCharacterOrder order;
    const QByteArray listBytes = encodeList(insertByFirstCharacter(rows, keyword, order));
    // The entry is written first, so a failure never leaves data.lst naming a keyword
    // without its entry file; should data.lst fail, the entry is put back as it was, so no
    // entry is left behind that nothing lists.
    // Should the program die between the two, the next start lists the entry (the journal).
    const QString entryFile = entryPath(keyword);
    const std::optional<QByteArray> oldEntry =
        FileSystem::isFile(entryFile) ? std::optional(TextFile::readBytes(entryFile))
                                      : std::nullopt;
    m_journal.begin({{keyword, true}});
    bool entryWritten = false;
    try {
        TextFile::writeBytes(entryFile, entryBytes);
        entryWritten = true;
        TextFile::writeBytes(listFile(), listBytes);
    } catch (const Error &) {
        if (entryWritten && oldEntry)
            TextFile::writeBytes(entryFile, *oldEntry);
        else if (entryWritten)
            FileSystem::removeFile(entryFile);
        m_journal.end();
        throw;
    }
    m_journal.end();
    reload();
}

void KeywordStore::overwriteEntry(const QString &keyword, const Entry &entry)
{
    KeywordText::checkFileName(keyword);
    TextFile::writeLines(entryPath(keyword), entryLines(entry));
}

void KeywordStore::removeKeyword(qsizetype row)
{
    // data.lst first: should it fail, nothing has changed; should the entry's removal fail
    // after it, a file is left that no row names, and nothing is lost.
    // Should the program die between the two, the next start deletes the file (the journal).
    const QString file = findEntryFile(m_keywords.value(row));
    KeywordList remaining = m_keywords.withoutRow(row);
    const QByteArray bytes = encodeList(remaining);
    if (file.isEmpty()) {
        TextFile::writeBytes(listFile(), bytes);
        setKeywords(std::move(remaining));
        return;
    }
    m_journal.begin({{QFileInfo(file).fileName(), false}});
    try {
        TextFile::writeBytes(listFile(), bytes);
    } catch (const Error &) {
        m_journal.end();
        throw;
    }
    setKeywords(std::move(remaining));
    finishChange();
}

void KeywordStore::rewriteOrder(const QStringList &keywords)
{
    TextFile::writeBytes(listFile(), encodeList(keywords));
    reload();
}
