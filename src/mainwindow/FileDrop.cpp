#include "FileDrop.h"

#include "EntryDisplay.h"
#include "IdleClock.h"
#include "keywords/KeywordStore.h"
#include "Launcher.h"
#include "MainWindowMessages.h"
#include "keywords/TargetPath.h"

#include "base/FileSystem.h"
#include "base/Guard.h"
#include "base/Interaction.h"
#include "platform/Shell.h"
#include "settings/Settings.h"

#include <QDir>
#include <QFile>

FileDrop::FileDrop(const Parts &parts)
    : m_parts(parts)
{
}

std::optional<FileDrop::Proposal> FileDrop::drop(const QStringList &paths)
{
    if (paths.isEmpty())
        return std::nullopt;
    // Locked on nothing (an empty line, or the clock's date and time), a drop has no entry to
    // go to and is offered for registration as when unlocked.
    const bool onEntry = m_parts.launcher.locked() && !m_parts.display.typedText().isEmpty();
    if (!onEntry) {
        const QString &path = paths.first();
        return Proposal{TargetPath::proposedKeyword(path), path, EntryIcon::iconForPath(path)};
    }

    const Entry entry = m_parts.store.readEntry(m_parts.display.inputText());
    const QString &target = entry.target;
    if (FileSystem::isFile(target)) {
        // One parameter however many blanks the path holds: split, it would name other files.
        guarded(m_parts.interaction, [&] { m_parts.shell.openWithFile(target, paths.first()); });
    } else if (FileSystem::isFolder(target)) {
        const QStringList failed = copyInto(target, paths);
        if (!failed.isEmpty())
            m_parts.interaction.error(MainWindowMessages::cannotCopy(target, failed));
    }
    m_parts.display.clear();
    m_parts.launcher.releaseLock();
    if (m_parts.settings.showTime())
        m_parts.clock.showTimeNow();
    return std::nullopt;
}

QStringList FileDrop::copyInto(const QString &folder, const QStringList &paths)
{
    QStringList failed;
    for (const QString &path : paths) {
        // Folders are not copied, and a file the folder holds already stays as it is.
        if (!FileSystem::isFile(path))
            continue;
        const QString copy = QDir(folder).filePath(TargetPath::fileNameOf(path));
        if (FileSystem::exists(copy))
            continue;
        // Written under a temporary name and renamed: never a half-copied file.
        if (!QFile::copy(path, copy))
            failed.append(TargetPath::fileNameOf(path));
    }
    return failed;
}
