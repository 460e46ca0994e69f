#pragma once

#include <cstdio>
#include <string>
#include <vector>

// The desktop entries of the applications folders through GLib's GDesktopAppInfo, which reads
// them, judges them as the menu does (Type, NoDisplay, OnlyShowIn and NotShowIn against
// XDG_CURRENT_DESKTOP, TryExec) and launches them (field codes, Terminal, DBusActivatable).
//
// Plain C++ and GLib, run in the helper program tblaunch-applications, so that the resident
// launcher never maps GIO: HelperApplications is its other half, and the two speak as below.
class GioApplications
{
public:
    // The fields written for each application, each ended by a NUL: entry file, Name, Comment,
    // GenericName, Keywords (separated by KeywordSeparator) and the file name of Exec's
    // program; localised as the environment says.
    static constexpr int Fields = 6;
    static constexpr char KeywordSeparator = '\x1f';

    // How a launch ended, as the helper's exit status. NotFound and NotStarted write the
    // application's name on the output, NotStarted then a line with why.
    enum Launched { Started = 0, NotStarted = 1, NotFound = 2 };

    // Writes every application the menu shows, the first folder's entry of a desktop file ID
    // standing for it (hidden or not); entries that cannot be read are left out.
    static void list(const std::vector<std::string> &folders, std::FILE *out);

    // Starts the application of this entry. Its program's output goes to `programOutput` (so
    // that it never writes into the pipe the result is read from). An entry activated over
    // D-Bus is handed to a child of this process that waits for the desktop's answer, so the
    // caller need not.
    static Launched launch(const std::string &file, std::FILE *out, int programOutput);
};
