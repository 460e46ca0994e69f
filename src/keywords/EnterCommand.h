#pragma once

#include <QString>

#include <functional>

// What Enter in the input line means: the first of a fixed chain of tests on the text
// decides. `text` is what the command acts on (the text with its suffix cut off).
struct EnterCommand
{
    enum class Kind {
        PowerOff,
        Reboot,
        Address,
        NewEntry,
        Maintenance,
        Help,
        Exit,
        OpenFolder,
        Delete,
        Lock,
        Edit,
        Calculate,
        Keyword, // launched when its entry file exists, else cleared
    };

    Kind kind;
    QString text;

    // `isLaunchable` says whether a text is a registered keyword whose entry exists: such a
    // keyword is launched even when it holds an operator ("x-term"), the slash commands
    // still coming first. `opensATarget` says whether a text is a registered keyword whose
    // entry names something to open: the user's own keyword is launched, never taken for
    // the power names (whose own entries are empty).
    static EnterCommand classify(const QString &text, const QString &shutdownName,
                                 const QString &rebootName,
                                 const std::function<bool(const QString &)> &isLaunchable = {},
                                 const std::function<bool(const QString &)> &opensATarget = {});

    // The text without its last `bytes` bytes in the code page; a double-byte character
    // is removed whole.
    static QString chopBytes(const QString &text, int bytes);
};
