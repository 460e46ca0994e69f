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

// The same list with every tenth row Japanese: hiragana, katakana and kanji words (電卓, 辞書,
// メモ帳, ... with kana before or after, or kana alone), unique among themselves. The last
// Japanese row, the tenth row from the end, is "ぴよぴよ電卓": no other row's reading
// begins with "piyo", so its romaji reaches it only after the whole scan.
inline const QString benchJapaneseLast = QStringLiteral("ぴよぴよ電卓");

inline QStringList benchKeywordsJapanese(int count)
{
    static const char16_t *const bases[] = {u"電卓", u"辞書", u"メモ帳", u"計算機",
                                            u"時計", u"天気", u"翻訳",   u"写真",
                                            u"音楽", u"地図", u"日記",   u"予定表"};
    static const char16_t kana[] =
        u"かきくけこさしすせそたちつてとなにぬねのはひふへほまみむめもやゆよらりるれろわん";
    constexpr int kanaCount = int(std::size(kana)) - 1;
    constexpr char16_t toKatakana = u'カ' - u'か';
    std::mt19937 random(7);
    std::uniform_int_distribution<int> base(0, int(std::size(bases)) - 1);
    std::uniform_int_distribution<int> syllable(0, kanaCount - 1);
    std::uniform_int_distribution<int> length(1, 3);
    std::uniform_int_distribution<int> form(0, 3); // kanji after, before, or none (twice)
    QStringList words = benchKeywords(count);
    std::set<QString> seen;
    const qsizetype last = words.size() - 10;
    for (qsizetype row = 9; row < last; row += 10) {
        QString word;
        do {
            QString syllables;
            const char16_t shift = form(random) % 2 ? toKatakana : 0;
            for (int n = length(random); n > 0; --n)
                syllables += QChar(char16_t(kana[syllable(random)] + shift));
            const QString kanji = QString::fromUtf16(bases[base(random)]);
            switch (form(random)) {
            case 0:
                word = kanji + syllables;
                break;
            case 1:
                word = syllables + kanji;
                break;
            default:
                word = syllables;
                break;
            }
        } while (!seen.insert(word).second);
        words[row] = word;
    }
    if (last >= 0)
        words[last] = benchJapaneseLast;
    return words;
}
