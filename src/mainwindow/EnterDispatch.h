#pragma once

#include <QString>

class EntryDisplay;
class IdleClock;
class Interaction;
class KeywordStore;
class Launcher;
class MathsParser;
class Shell;
class SystemPower;
class Settings;

// What Enter in the input line does, once EnterCommand has said what the text means:
// power off or restart, open an address or a keyword's target, run a command of the table,
// calculate. Afterwards the display is cleared and the lock released; an error leaves
// the text in the line for the user to mend, except the shell's failure to open a target,
// which is shown before the line is cleared as usual.
class EnterDispatch
{
public:
    struct Parts
    {
        EntryDisplay &display;
        Launcher &launcher;
        IdleClock &clock;
        KeywordStore &store;
        const Settings &settings;
        Shell &shell;
        SystemPower &power;
        MathsParser &calculator;
        Interaction &interaction;
    };

    explicit EnterDispatch(const Parts &parts);

    void run();

private:
    // The lock released and the clock free to tick again.
    void finish();
    void calculate(const QString &text);
    void launch(const QString &entryFile);
    void open(const QString &target, const QString &parameters);

    Parts m_parts;
};
