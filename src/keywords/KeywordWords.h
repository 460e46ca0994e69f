#pragma once

#include <QString>

#include <optional>

// A line read as a keyword followed by words ("g ラーメン 新宿"): the first word ends at the
// first blank of either width, as an input method in its full-width mode types a space.
struct KeywordWords
{
    QString keyword;
    // What was typed after the blanks that follow the keyword, without trailing blanks.
    QString words;

    // Nothing where the line holds no blank after a first word.
    static std::optional<KeywordWords> split(const QString &text);
    static bool isBlank(QChar c) { return c == u' ' || c == u'\u3000'; }
};
