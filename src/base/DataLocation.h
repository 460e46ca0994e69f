#pragma once

#include <QString>

// Where the program keeps its keywords, skins and settings. Installed (a program beside a
// ../share/tblaunch folder, whatever the prefix) or in a folder it can neither write nor
// finds a keyword list in, it keeps them in the user's XDG folders: data, data.lst and skin in
// $XDG_DATA_HOME/tblaunch/, the settings in $XDG_CONFIG_HOME/tblaunch/tblaunch.ini. A copy in
// a folder of its own that it can write or that holds a keyword list is portable: everything
// beside the executable. The files keep their formats either way.
struct DataLocation
{
    bool portable = true;
    QString dataFolder; // ends in "/"
    QString settingsFile;

    // The environment's say: the XDG variables (empty when unset) and the home folder.
    struct Environment
    {
        QString dataHome;
        QString configHome;
        QString home;
    };

    // For an executable at the path, whose folder the program may write or not; nothing is
    // made on disk.
    static DataLocation choose(const QString &executablePath, bool folderWritable,
                               const Environment &environment);
    // The running program's, in the process's environment.
    static DataLocation ofThisProgram();

    // Makes the folders the installed location needs (the portable one exists); raises the
    // folder functions' error on a refusal.
    void prepare() const;
};
