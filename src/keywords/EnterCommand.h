#pragma once

#include <QString>
#include <QStringView>

#include <functional>
#include <span>

// What Enter in the input line means: the first of a fixed chain of tests on the text
// decides. `text` is what the command acts on (the text with its suffix cut off).
struct EnterCommand
{
    enum class Kind {
        PowerOff,
        Reboot,
        Address,
        Command, // one of the typed forms given: `command` says which
        Calculate,
        Keyword,          // launched when its entry file exists, else cleared
        KeywordWithWords, // `text` is the keyword, `words` what was typed after it
    };

    // A command's typed form, as the caller's command table writes it: the whole text,
    // compared exactly; or a suffix, found anywhere in the text whatever its case, whose
    // length in bytes is then cut off the text's end. The words are ASCII.
    struct Form
    {
        QStringView word;
        bool suffix = false;
        int command = -1;
    };

    Kind kind;
    QString text;
    int command = -1;
    // A suffix form matched: `text` is the keyword before it.
    bool cut = false;
    QString words{};

    // The keyword a line's first word names, literally or, where `byReading`, by its reading;
    // empty where it names none.
    using KeywordOf = std::function<QString(const QString &word, bool byReading)>;

    // The typed forms are tried in their order, after the power names and addresses and
    // before the calculator, which is handed a formula typed in full-width forms (as an
    // input method types it) in ASCII.
    //
    // `isLaunchable` says whether a text is a registered keyword whose entry exists: such a
    // keyword is launched even when it holds an operator ("x-term"), the typed commands
    // still coming first. `opensATarget` says whether a text is a registered keyword whose
    // entry names something to open: the user's own keyword is launched, never taken for
    // the power names (whose own entries are empty).
    //
    // A text that is no keyword itself but whose first word names one (`keywordOf`) opens
    // that keyword with the words after it, before the calculator and before a suffix found
    // among the words ("g c++ 入門", "g ラーメン/set"). In a formula only a keyword typed in
    // full names one: a reading would find a keyword beginning with almost any number.
    static EnterCommand classify(const QString &text, std::span<const Form> forms,
                                 const QString &shutdownName, const QString &rebootName,
                                 const std::function<bool(const QString &)> &isLaunchable = {},
                                 const std::function<bool(const QString &)> &opensATarget = {},
                                 const KeywordOf &keywordOf = {});

    // Whether the calculator would take the text (it holds one of + - * / ( in ASCII or
    // typed by an input method).
    static bool isFormula(const QString &text);

    // The text without its last `bytes` bytes in the code page; a double-byte character
    // is removed whole.
    static QString chopBytes(const QString &text, int bytes);
};
