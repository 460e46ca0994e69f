#include "FileDrop.h"

#include "EntryDisplay.h"
#include "IdleClock.h"
#include "Launcher.h"
#include "MainWindowMessages.h"
#include "keywords/KeywordStore.h"
#include "keywords/TargetPath.h"

#include "base/FileSystem.h"
#include "base/Guard.h"
#include "base/Interaction.h"
#include "platform/Shell.h"
#include "settings/Settings.h"
#include "ui/AppContext.h"

#include <QDir>
#include <QFile>

FileDrop::FileDrop(Launcher &launcher)
    : m_launcher(launcher)
{
}

QStringList FileDrop::localPaths(const QList<QUrl> &urls)
{
    QStringList paths;
    for (const QUrl &url : urls)
        if (url.isLocalFile())
            paths.append(url.toLocalFile());
    return paths;
}

std::optional<FileDrop::Proposal> FileDrop::drop(const QStringList &paths)
{
    if (paths.isEmpty())
        return std::nullopt;
    EntryDisplay &display = m_launcher.display();
    AppContext &context = m_launcher.context();
    // Locked on nothing (an empty line, or the clock's date and time), a drop has no entry to
    // go to and is offered for registration as when unlocked.
    const QString keyword = m_launcher.shownKeyword();
    const bool onEntry = m_launcher.locked() && !keyword.isEmpty();
    if (!onEntry) {
        const QString &path = paths.first();
        return Proposal{TargetPath::proposedKeyword(path), path, EntryIcon::iconForPath(path)};
    }

    const Entry entry = m_launcher.store().readEntry(keyword);
    const QString &target = entry.target;
    if (FileSystem::isFile(target)) {
        // One parameter however many blanks the path holds: split, it would name other files.
        guarded(context.interaction, [&] { context.shell.openWithFile(target, paths.first()); });
    } else if (FileSystem::isFolder(target)) {
        const QStringList failed = copyInto(target, paths);
        if (!failed.isEmpty())
            context.interaction.error(MainWindowMessages::cannotCopy(target, failed));
    }
    display.clear();
    m_launcher.releaseLock();
    if (m_launcher.settings().showTime())
        m_launcher.clock().showTimeNow();
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
