#pragma once

#include <QString>

class Launcher;

// What Enter in the input line does, once EnterCommand has said what the text means:
// power off or restart, open an address or a keyword's target, run a command of the table,
// calculate. Afterwards the display is cleared and the lock released; an error leaves
// the text in the line for the user to mend, except the shell's failure to open a target,
// which is shown before the line is cleared as usual.
class EnterDispatch
{
public:
    explicit EnterDispatch(Launcher &launcher);

    void run();

private:
    // The lock released and the clock free to tick again.
    void finish();
    void calculate(const QString &text);
    // The words typed after the keyword (perhaps none) go where its entry takes them.
    void launch(const QString &entryFile, const QString &words);
    void open(const QString &target, const QString &parameters);
    // The installed application offered for the line, by its desktop entry.
    void openApplication(const QString &file);

    Launcher &m_launcher;
};
