#include "LinuxShell.h"

#include "DesktopEntry.h"
#include "ShellWords.h"
#include "base/Error.h"
#include "platform/PlatformMessages.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

void LinuxShell::open(const QString &target, const QString &parameters)
{
    if (isFileManager(target))
        return openExplorer(parameters.trimmed());
    run(target, ShellWords::split(parameters));
}

void LinuxShell::openWithFile(const QString &target, const QString &file)
{
    run(target, {file});
}

void LinuxShell::run(const QString &target, const QStringList &arguments)
{
    if (target.isEmpty())
        throw Error(PlatformMessages::noTarget());
    if (isAddress(target))
        return openWithDesktop(target);

    const QFileInfo info(target);
    if (info.exists()) {
        if (info.isDir())
            return openWithDesktop(info.absoluteFilePath());
        if (DesktopEntry::isDesktopFile(target)) {
            const DesktopEntry entry = DesktopEntry::read(target);
            const QStringList command = entry.command(arguments);
            if (command.isEmpty())
                throw Error(PlatformMessages::targetNotFound(target));
            return start(command.first(), command.mid(1), entry.workingFolder());
        }
        if (info.isExecutable())
            return start(info.absoluteFilePath(), arguments);
        return openWithDesktop(info.absoluteFilePath());
    }

    if (!target.contains(u'/')) {
        const QString program = QStandardPaths::findExecutable(target);
        if (!program.isEmpty())
            return start(program, arguments);
    }
    throw Error(PlatformMessages::targetNotFound(target));
}

void LinuxShell::start(const QString &program, const QStringList &arguments,
                       const QString &workingFolder)
{
    QProcess process;
    process.setProgram(program);
    process.setArguments(arguments);
    if (!workingFolder.isEmpty())
        process.setWorkingDirectory(workingFolder);
    process.setStandardInputFile(QProcess::nullDevice());
    if (!process.startDetached())
        throw Error(PlatformMessages::cannotRun(program));
}

void LinuxShell::openWithDesktop(const QString &what)
{
    const QString opener = QStandardPaths::findExecutable(QStringLiteral("xdg-open"));
    if (opener.isEmpty())
        throw Error(PlatformMessages::noOpener(what));
    start(opener, {what});
}

void LinuxShell::openExplorer(const QString &parameters)
{
    // The shell folders that the special items name by class id.
    if (parameters.compare(QStringLiteral("::{20D04FE0-3AEA-1069-A2D8-08002B30309D}"),
                           Qt::CaseInsensitive)
        == 0)
        return openWithDesktop(QStringLiteral("/"));
    if (parameters.compare(QStringLiteral("::{450D8FBA-AD25-11D0-98A8-0800361B1103}"),
                           Qt::CaseInsensitive)
        == 0) {
        QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
        if (!QFileInfo(documents).isDir())
            documents = QDir::homePath();
        return openWithDesktop(documents);
    }
    if (parameters.compare(QStringLiteral("::{645FF040-5081-101B-9F08-00AA002F954E}"),
                           Qt::CaseInsensitive)
        == 0)
        return openWithDesktop(QStringLiteral("trash:///"));
    const QStringList words = ShellWords::split(parameters);
    const QString folder = words.isEmpty() ? QDir::homePath() : words.last();
    if (!QFileInfo(folder).exists())
        throw Error(PlatformMessages::targetNotFound(folder));
    openWithDesktop(folder);
}
