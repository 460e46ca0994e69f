#include "SpecialItems.h"

#include "KeywordMessages.h"
#include "KeywordStore.h"
#include "KeywordText.h"

#include "base/Error.h"
#include "base/FileSystem.h"
#include "base/TextFile.h"
#include "settings/Settings.h"

#include <QFileInfo>

#include <algorithm>

namespace {

// The first row equal to the name, preferring one spelled exactly like it.
qsizetype rowOf(const QStringList &rows, const QString &name)
{
    const qsizetype exact = rows.indexOf(name);
    if (exact >= 0)
        return exact;
    for (qsizetype i = 0; i < rows.size(); ++i)
        if (KeywordText::equal(rows[i], name))
            return i;
    return -1;
}

} // namespace

SpecialItems::SpecialItems(KeywordStore &store, Settings &settings)
    : m_store(store)
    , m_settings(settings)
{
}

std::optional<SpecialItem>
SpecialItems::save(const Choices &choices,
                   const std::function<bool(const QString &name)> &mayOverwrite) const
{
    States states;
    for (std::size_t i = 0; i < SpecialItemCount; ++i)
        states[i] = {choices[i].name, choices[i].ticked,
                     m_settings.storedRegistration(SpecialItem(i))};
    checkNames(states);
    for (std::size_t i = 0; i < SpecialItemCount; ++i)
        if (states[i].ticked && isOtherKeyword(states[i].name, states)
            && !mayOverwrite(states[i].name))
            return SpecialItem(i);
    const Changes changes = plan(m_store.keywords().toList(), states);

    // Entries first, then data.lst, then the deletions: a failure on the way never leaves
    // data.lst naming a keyword without its entry file. A listed name keeps the spelling of
    // its file, as in a registration, rather than getting a second file beside it.
    // The journal names every file touched; those data.lst does not list in the end (the
    // items no longer ticked, or the new entries when data.lst fails) are deleted, now or by
    // the next start should the program die on the way.
    std::array<QString, SpecialItemCount> files;
    QList<KeywordJournal::Step> steps;
    for (std::size_t i = 0; i < SpecialItemCount; ++i) {
        if (!states[i].ticked)
            continue;
        const QString existing = m_store.findEntryFile(states[i].name);
        files[i] = existing.isEmpty() ? m_store.entryPath(states[i].name) : existing;
        steps.append({QFileInfo(files[i]).fileName(), false});
    }
    // A removed item's file under its own spelling, which may differ from the item's name.
    for (const QString &name : changes.removed)
        if (const QString file = m_store.findEntryFile(name); !file.isEmpty())
            steps.append({QFileInfo(file).fileName(), false});
    m_store.beginChange(steps);
    try {
        for (std::size_t i = 0; i < SpecialItemCount; ++i)
            if (states[i].ticked)
                TextFile::writeBytes(files[i], entryBytes(SpecialItem(i)));
        m_store.rewriteOrder(changes.rows);
    } catch (const Error &) {
        m_store.finishChange();
        throw;
    }
    m_store.finishChange();

    std::array<bool, SpecialItemCount> ticked;
    std::array<QString, SpecialItemCount> names;
    for (std::size_t i = 0; i < SpecialItemCount; ++i) {
        ticked[i] = states[i].ticked;
        names[i] = states[i].name;
    }
    m_settings.registerSpecialItems(ticked, names);
    return std::nullopt;
}

bool SpecialItems::isOtherKeyword(const QString &name, const States &items) const
{
    const bool registeredByAnItem = std::ranges::any_of(items, [&](const State &item) {
        return item.registeredAs && KeywordText::equal(*item.registeredAs, name);
    });
    if (registeredByAnItem)
        return false;
    // An entry file without its row is still someone's entry: writing the item over it would
    // lose it as surely as over a listed one.
    return std::ranges::any_of(m_store.keywords(),
                               [&](QStringView row) { return KeywordText::equal(row, name); })
           || !m_store.findEntryFile(name).isEmpty();
}

QByteArray SpecialItems::entryBytes(SpecialItem item)
{
    static const std::array<QString, 3> folders{
        QStringLiteral("::{20D04FE0-3AEA-1069-A2D8-08002B30309D}"),
        QStringLiteral("::{450D8FBA-AD25-11D0-98A8-0800361B1103}"),
        QStringLiteral("::{645FF040-5081-101B-9F08-00AA002F954E}"),
    };
    const auto index = std::size_t(item);
    if (index >= folders.size())
        return {};
    return TextFile::encodeLines(
        KeywordStore::entryLines({QStringLiteral("explorer.exe"), QString(), folders[index]}));
}

void SpecialItems::checkNames(const States &items)
{
    for (const State &item : items) {
        if (item.name.contains(u'\r') || item.name.contains(u'\n'))
            throw Error(KeywordMessages::lineBreakInSpecialName());
        if (item.ticked)
            KeywordText::checkFileName(item.name);
        TextFile::encodeLines({item.name});
    }
}

SpecialItems::Changes SpecialItems::plan(QStringList rows, const States &items)
{
    const auto ticked = [&](const QString &name) {
        return std::ranges::any_of(items, [&](const State &item) {
            return item.ticked && KeywordText::equal(item.name, name);
        });
    };
    QStringList removed;
    for (const State &item : items) {
        if (item.ticked) {
            if (rowOf(rows, item.name) < 0)
                rows.append(item.name);
        } else if (item.registeredAs && !ticked(*item.registeredAs)) {
            const qsizetype row = rowOf(rows, *item.registeredAs);
            if (row >= 0)
                rows.removeAt(row);
            removed.append(*item.registeredAs);
        }
    }
    return {rows, removed};
}
