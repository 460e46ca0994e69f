#include "KeywordReading.h"

#include <array>
#include <string>

namespace KeywordReading {

namespace {

// Half-width katakana U+FF61..U+FF9F as full-width, in order; the two voicing marks are
// joined to the kana before them.
// clang-format off
constexpr char16_t HalfWidthKana[] = u"。「」、・ヲァィゥェォャュョッーアイウエオカキクケコサシスセソ"
                                     u"タチツテトナニヌネノハヒフヘホマミムメモヤユヨラリルレロワン゛゜";
// clang-format on

// The romaji of each hiragana from U+3041 (ぁ) to U+3096 (ゖ), in the one spelling of the
// reading; "" for the small tsu, which doubles the consonant after it.
// clang-format off
constexpr std::array<const char *, 86> Romaji = {
    "a",  "a",  "i",  "i",  "u",  "u",  "e",  "e",  "o",  "o",                   // ぁあぃいぅうぇえぉお
    "ka", "ga", "ki", "gi", "ku", "gu", "ke", "ge", "ko", "go",                   // か..ご
    "sa", "za", "si", "zi", "su", "zu", "se", "ze", "so", "zo",                   // さ..ぞ
    "ta", "da", "ti", "zi", "",   "tu", "zu", "te", "de", "to", "do",             // た..ど
    "na", "ni", "nu", "ne", "no",                                                 // な..の
    "ha", "ba", "pa", "hi", "bi", "pi", "hu", "bu", "pu", "he", "be", "pe", "ho", // は..ぽ
    "bo", "po",
    "ma", "mi", "mu", "me", "mo",                                                 // ま..も
    "ya", "ya", "yu", "yu", "yo", "yo",                                           // ゃやゅゆょよ
    "ra", "ri", "ru", "re", "ro",                                                 // ら..ろ
    "wa", "wa", "i",  "e",  "o",  "n",  "vu", "ka", "ke",                         // ゎわゐゑをんゔゕゖ
};
// clang-format on

bool isSmall(char16_t kana)
{
    // clang-format off
    switch (kana) {
    case u'ぁ': case u'ぃ': case u'ぅ': case u'ぇ': case u'ぉ':
    case u'ゃ': case u'ゅ': case u'ょ': case u'ゎ':
        return true;
    default:
        return false;
    }
    // clang-format on
}

bool isVowel(QChar c)
{
    return QStringView(u"aiueo").contains(c);
}

bool isVoiceable(char16_t kana)
{
    return (kana >= u'か' && kana <= u'ぢ' && kana % 2 == 1)
           || (kana >= u'つ' && kana <= u'ど' && kana % 2 == 0)
           || (kana >= u'は' && kana <= u'ぽ' && (kana - u'は') % 3 == 0);
}

// A voiced or half-voiced hiragana as its plain kana; any other as it is.
char16_t unvoiced(char16_t kana)
{
    if (kana >= u'は' && kana <= u'ぽ')
        return char16_t(kana - (kana - u'は') % 3);
    if (kana == u'ゔ')
        return u'う';
    return (kana > u'か' && kana <= u'ど' && isVoiceable(char16_t(kana - 1))) ? char16_t(kana - 1)
                                                                              : kana;
}

char16_t voiced(char16_t kana)
{
    if (kana == u'う')
        return u'ゔ';
    return isVoiceable(kana) ? char16_t(kana + 1) : kana;
}

// Widths folded and katakana made hiragana; the voicing marks of half-width kana joined.
QString folded(QStringView text)
{
    QString out;
    out.reserve(text.size());
    for (const QChar c : text) {
        char16_t u = c.unicode();
        if (u >= 0xFF01 && u <= 0xFF5E)
            u = char16_t(u - 0xFEE0);
        else if (u == 0x3000)
            u = u' ';
        else if (u >= 0xFF61 && u <= 0xFF9F)
            u = HalfWidthKana[u - 0xFF61];
        if ((u == u'゛' || u == u'゜' || u == 0x3099 || u == 0x309A) && !out.isEmpty()) {
            // A voiced or half-voiced kana is the next code point (the next but one for the
            // half-voiced); the kana before is hiragana by now. Marks after anything else are
            // dropped.
            const char16_t base = out.back().unicode();
            const bool half = u == u'゜' || u == 0x309A;
            const bool halfVoiceable = base >= u'は' && base <= u'ぽ' && (base - u'は') % 3 == 0;
            if (half && halfVoiceable)
                out.back() = QChar(char16_t(base + 2));
            else if (!half)
                out.back() = QChar(voiced(base));
            continue;
        }
        if (u >= 0x30A1 && u <= 0x30F6)
            u = char16_t(u - 0x60);
        if (u == u'ゝ' || u == u'ゞ' || u == u'ヽ' || u == u'ヾ') {
            // The kana before, again: voiced after ゞ (いすゞ isuzu), unvoiced after ゝ.
            const char16_t base = out.isEmpty() ? 0 : unvoiced(out.back().unicode());
            if (base >= 0x3041 && base <= 0x3096)
                out.append(QChar(u == u'ゞ' || u == u'ヾ' ? voiced(base) : base));
            continue;
        }
        out.append(QChar(u).toLower());
    }
    return out;
}

// Kana written as romaji in the reading's spelling; everything else as it is.
QString romajiOf(QStringView text)
{
    QString out;
    bool doubleNext = false;
    char16_t previous = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        const char16_t u = c.unicode();
        if (u == u'っ') {
            doubleNext = true;
            previous = u;
            continue;
        }
        // A long vowel is read as the vowel once; "-" after a vowel is how romaji types it.
        if (u == u'ー' || (u == u'-' && !out.isEmpty() && isVowel(out.back()))) {
            previous = u;
            continue;
        }
        if (u < 0x3041 || u > 0x3096) {
            if (doubleNext && c.isLetter() && !isVowel(c) && c.unicode() < 0x80)
                out.append(c);
            doubleNext = false;
            out.append(c);
            previous = u;
            continue;
        }
        QString romaji = QString::fromLatin1(Romaji[u - 0x3041]);
        // ん before a vowel or y is marked, to tell きんえん kin'en from きねん kinen.
        if (u == u'ん' && i + 1 < text.size()) {
            const char16_t next = text[i + 1].unicode();
            const char *after = next >= 0x3041 && next <= 0x3096 ? Romaji[next - 0x3041] : "";
            if (isVowel(QLatin1Char(after[0])) || after[0] == 'y')
                romaji += u'\'';
        }
        // A small kana after another joins it: きゃ kya, しゃ sya, ふぁ ha, てぃ ti; and as
        // romaji types them, しぇ she (sye), いぇ ye, うぃ wi, くぁ kwa.
        if (isSmall(u) && previous >= 0x3041 && previous <= 0x3096 && !isSmall(previous)
            && previous != u'っ' && !out.isEmpty() && isVowel(out.back())) {
            const bool yRow = u == u'ゃ' || u == u'ゅ' || u == u'ょ';
            const QChar vowel = out.back();
            out.chop(1);
            if (!yRow && !out.isEmpty() && out.back() == u'y')
                out.chop(1);
            if (yRow && out.endsWith(u'y'))
                romaji = romaji.mid(1);
            const QChar consonant = out.isEmpty() || !out.back().isLetter() ? QChar() : out.back();
            const bool syllableStart = consonant.isNull() || isVowel(consonant);
            if (!yRow && u != u'ぃ' && vowel == u'i'
                && (syllableStart || QStringView(u"stz").contains(consonant)))
                out += u'y';
            else if (!yRow && u != u'ぅ' && vowel == u'u'
                     && (syllableStart || consonant == u'k' || consonant == u'g'))
                out += u'w';
        }
        if (doubleNext && !romaji.isEmpty() && !isVowel(romaji.front()))
            out.append(romaji.front());
        doubleNext = false;
        out.append(romaji);
        previous = u;
    }
    return out;
}

struct Spelling
{
    const char *from;
    const char *to;
};

// Romaji typed in another spelling, made the reading's; longer spellings first.
constexpr Spelling Spellings[] = {
    {"tch", "tty"}, {"cch", "tty"}, {"shi", "si"}, {"chi", "ti"}, {"tsu", "tu"}, {"sh", "sy"},
    {"ch", "ty"},   {"ts", "t"},    {"fu", "hu"},  {"ji", "zi"},  {"dzu", "zu"}, {"di", "zi"},
    {"du", "zu"},   {"wo", "o"},    {"mb", "nb"},  {"mp", "np"},  {"ca", "ka"},  {"cu", "ku"},
    {"co", "ko"},   {"f", "h"},     {"j", "zy"},
};

bool startsSyllable(QStringView text, qsizetype at)
{
    return at < text.size() && (isVowel(text[at]) || text[at] == u'y');
}

// ん written one way: "n" before a consonant or at the end, "n'" before a vowel or y; typed
// as "n'", as "nn" (before the な row too: あんない annnai), or, as Hepburn writes it, as a
// single n before the な row (annai) or a consonant.
QString nasalsMarked(QStringView text)
{
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        out += text[i];
        if (text[i] != u'n' || i + 1 >= text.size())
            continue;
        const QChar next = text[i + 1];
        // "nn" before a vowel is ん and a syllable of the な row, as is "nnn" before one.
        if (next == u'\'' || (next == u'n' && !startsSyllable(text, i + 2))) {
            if (startsSyllable(text, i + 2))
                out += u'\'';
            ++i;
        }
    }
    return out;
}

// The text with each spelling of the table, the first that fits at each place, replaced.
template <size_t N> QString respelled(QStringView text, const Spelling (&table)[N])
{
    QString out;
    out.reserve(text.size() + text.size() / 2);
    for (qsizetype i = 0; i < text.size();) {
        bool replaced = false;
        for (const Spelling &s : table) {
            if (text[i] != QLatin1Char(s.from[0]))
                continue;
            const QLatin1StringView from(s.from);
            if (text.sliced(i).startsWith(from)) {
                out += QLatin1StringView(s.to);
                i += from.size();
                replaced = true;
                break;
            }
        }
        if (!replaced)
            out += text[i++];
    }
    return out;
}

// A text typed so far may end halfway through a spelling: what it ends in stands for the
// beginning both ways share ("sh" of shi and sha is "s", "ch" and "c" of chi and cha "t",
// "j" of ji and ja "z").
constexpr Spelling Endings[] = {{"sh", "s"}, {"ch", "t"}, {"c", "t"}, {"j", "z"}};

// "sy" and "ty" before i: shi and chi are si and ti; "zy" likewise ("ji" came first).
QString spelled(QString text)
{
    for (const Spelling &ending : Endings)
        if (text.endsWith(QLatin1StringView(ending.from))) {
            text.chop(qsizetype(std::char_traits<char>::length(ending.from)));
            text += QLatin1StringView(ending.to);
            break;
        }
    QString out = respelled(nasalsMarked(text), Spellings);
    out.replace(QLatin1StringView("syi"), QLatin1StringView("si"));
    out.replace(QLatin1StringView("tyi"), QLatin1StringView("ti"));
    out.replace(QLatin1StringView("zyi"), QLatin1StringView("zi"));
    return out;
}

// Long vowels as one: ou, oo, uu, aa, ii, ee.
QString shortened(const QString &text)
{
    QString out;
    out.reserve(text.size());
    for (const QChar c : text) {
        if (!out.isEmpty() && isVowel(c)) {
            const QChar last = out.back();
            if (c == last || (last == u'o' && c == u'u'))
                continue;
        }
        out.append(c);
    }
    return out;
}

} // namespace

QString of(QStringView text)
{
    return shortened(spelled(romajiOf(folded(text))));
}

Typed ofTyped(QStringView text)
{
    QString romaji = romajiOf(folded(text));
    Typed typed{shortened(spelled(romaji)), {}};
    if (romaji.endsWith(u'c')) {
        romaji.back() = u'k';
        typed.other = shortened(spelled(std::move(romaji)));
    }
    return typed;
}

QString hepburn(QStringView reading)
{
    static constexpr Spelling Hepburn[] = {
        {"tty", "tch"}, {"tti", "tchi"}, {"sy", "sh"}, {"si", "shi"}, {"ty", "ch"},
        {"ti", "chi"},  {"zy", "j"},     {"zi", "ji"}, {"tu", "tsu"}, {"hu", "fu"},
    };
    return respelled(reading, Hepburn);
}

} // namespace KeywordReading
