#include "EntryIcon.h"

#include "settings/IniFile.h"

#include <QFileInfo>

namespace {

const QString Shell32 = QStringLiteral("shell32.dll");

constexpr int ClosedFolderIcon = 3;
constexpr int RecycleBinIcon = 31;

} // namespace

namespace EntryIcon {

IconRef iconForEntry(const QString &row, const QString &target, const QString &dustBoxName,
                     const QString &mydocName)
{
    // Missing settings give empty names, and those must not turn an empty row into the bin.
    if (!dustBoxName.isEmpty() && row == dustBoxName)
        return {Shell32, RecycleBinIcon};
    if (!mydocName.isEmpty() && row == mydocName)
        return {QStringLiteral("mydocs.dll"), 0};
    return iconForPath(target);
}

IconRef iconForPath(const QString &path)
{
    return QFileInfo(path).isDir() ? folderIcon(path) : fileIcon(path);
}

IconRef folderIcon(const QString &folder)
{
    const QString iniPath = folder + QStringLiteral("/desktop.ini");
    if (!QFileInfo(iniPath).isFile())
        return {Shell32, ClosedFolderIcon};

    // The file name is passed on as written: variables in it stay unexpanded.
    const IniFile ini(iniPath);
    const QString file = ini.readString(u".ShellClassInfo", u"IconFile", Shell32);
    const int index =
        IniFile::parseInteger(ini.readString(u".ShellClassInfo", u"IconIndex", u"0")).value_or(0);
    return {file, index};
}

IconRef fileIcon(const QString &file)
{
    return {file, 0};
}

} // namespace EntryIcon
