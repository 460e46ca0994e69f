#pragma once

#include <QStringList>

#include <random>
#include <set>

// Deterministic keyword lists of syllable words, none starting with "zz" but the last,
// "zzzz-last", so that the worst cases of a front-to-back scan are easy to reach.
inline QStringList benchKeywords(int count)
{
    static const char *const syllables[] = {
        "ka", "ki", "ku", "ke", "ko", "sa", "shi", "su",  "se",  "so",  "ta",  "chi", "tsu", "te",
        "to", "na", "ni", "nu", "ne", "no", "ha",  "hi",  "fu",  "he",  "ho",  "ma",  "mi",  "mu",
        "me", "mo", "ya", "yu", "yo", "ra", "ri",  "ru",  "re",  "ro",  "wa",  "n",   "za",  "zu",
        "ze", "zo", "an", "ex", "or", "in", "ed",  "pro", "net", "doc", "app", "web"};
    std::mt19937 random(42);
    std::uniform_int_distribution<int> syllable(0, std::size(syllables) - 1);
    std::uniform_int_distribution<int> length(2, 4);
    std::set<std::string> seen;
    QStringList words;
    while (words.size() < count - 1) {
        std::string word;
        for (int n = length(random); n > 0; --n)
            word += syllables[syllable(random)];
        if (word.starts_with("zz") || !seen.insert(word).second)
            continue;
        words.append(QString::fromStdString(word));
    }
    words.append(QStringLiteral("zzzz-last"));
    return words;
}
