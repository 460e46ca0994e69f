#pragma once

#include <QString>

class Hotkeys;
class Icons;
class InstalledApplications;
class Interaction;
class KeyNames;
class Power;
class Shell;
class WindowFrame;

// What every window is handed: where the program's files lie, the platform services and the
// message boxes. The composition root makes it once (a test makes it with fakes).
struct AppContext
{
    QString dataFolder; // where the data lies (beside the program, or the XDG folder); ends in "/"
    QString settingsFile;
    Shell &shell;
    Power &power;
    Icons &icons;
    KeyNames &keyNames;
    WindowFrame &windowFrame;
    Hotkeys &hotkeys;
    Interaction &interaction;
    QString helpFile;
    InstalledApplications &applications;
};
