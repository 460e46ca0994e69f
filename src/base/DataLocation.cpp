#include "DataLocation.h"

#include "FileSystem.h"
#include "Paths.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include <unistd.h>

namespace {

// An XDG variable counts only as an absolute path; otherwise the home's default stands.
QString xdgFolder(const QString &value, const QString &home, const char *fallback)
{
    if (QDir::isAbsolutePath(value))
        return QDir::cleanPath(value);
    return QDir::cleanPath(home + u'/' + QLatin1String(fallback));
}

QString withSlash(QString folder)
{
    if (!folder.endsWith(u'/'))
        folder += u'/';
    return folder;
}

} // namespace

DataLocation DataLocation::choose(const QString &executablePath, bool folderWritable,
                                  const Environment &environment)
{
    const QFileInfo exe(executablePath);
    const QString folder = withSlash(exe.absolutePath());
    // An installed program has its shared files under the prefix, whatever the prefix and
    // whoever runs it: root can write /usr/bin, yet that must not become anyone's data folder.
    const bool installed = FileSystem::isFolder(folder + QStringLiteral("../share/tblaunch"));
    if (!installed && (folderWritable || FileSystem::isFile(folder + QStringLiteral("data.lst")))) {
        const QString name = exe.fileName();
        const qsizetype dot = name.lastIndexOf(u'.');
        return {true, folder,
                folder + (dot > 0 ? name.left(dot) : name) + QStringLiteral(".ini")};
    }
    const QString data = xdgFolder(environment.dataHome, environment.home, ".local/share");
    const QString config = xdgFolder(environment.configHome, environment.home, ".config");
    return {false, withSlash(data + QStringLiteral("/tblaunch")),
            config + QStringLiteral("/tblaunch/tblaunch.ini")};
}

DataLocation DataLocation::ofThisProgram()
{
    const QByteArray folder = QFile::encodeName(QCoreApplication::applicationDirPath());
    return choose(QCoreApplication::applicationFilePath(), ::access(folder.constData(), W_OK) == 0,
                  {qEnvironmentVariable("XDG_DATA_HOME"), qEnvironmentVariable("XDG_CONFIG_HOME"),
                   QDir::homePath()});
}

void DataLocation::prepare() const
{
    if (portable)
        return;
    for (const QString &folder : {dataFolder, QFileInfo(settingsFile).absolutePath()})
        if (!QDir().mkpath(folder))
            Paths::ensureFolder(folder); // raises the system's reason
}
