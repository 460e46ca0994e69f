#pragma once

#include <QString>

class Icons;
class Interaction;
class KeyNames;
class Power;
class Shell;
class TForm1;
class WindowFrame;
class TForm2;
class TForm4;

// What the windows share, made once in main() (or by a test with fakes). Each window
// gets it in its constructor; the window pointers are null until that window exists.
struct AppContext
{
    QString executableFolder; // ends in "/"
    QString settingsFile;
    Shell &shell;
    Power &power;
    Icons &icons;
    KeyNames &keyNames;
    WindowFrame &windowFrame;
    Interaction &interaction;

    TForm1 *form1 = nullptr;
    TForm2 *form2 = nullptr;
    TForm4 *form4 = nullptr;
};
