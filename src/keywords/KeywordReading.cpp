#include "KeywordReading.h"

#include <array>
#include <string>

namespace KeywordReading {

namespace {

// Half-width katakana U+FF61..U+FF9F as full-width, in order; the two voicing marks are
// joined to the kana before them.
constexpr char16_t HalfWidthKana[] = u"。「」、・ヲァィゥェォャュョッーアイウエオカキクケコサシスセソ"
                                     u"タチツテトナニヌネノハヒフヘホマミムメモヤユヨラリルレロワン゛゜";

// The romaji of each hiragana from U+3041 (ぁ) to U+3096 (ゖ), in the one spelling of the
// reading; "" for the small tsu, which doubles the consonant after it.
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

bool isSmall(char16_t kana)
{
    switch (kana) {
    case u'ぁ': case u'ぃ': case u'ぅ': case u'ぇ': case u'ぉ':
    case u'ゃ': case u'ゅ': case u'ょ': case u'ゎ':
        return true;
    default:
        return false;
    }
}

bool isVowel(QChar c)
{
    return QStringView(u"aiueo").contains(c);
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
            const bool voiceable = (base >= u'か' && base <= u'ぢ' && base % 2 == 1)
                                   || (base >= u'つ' && base <= u'ど' && base % 2 == 0);
            const bool halfVoiceable = base >= u'は' && base <= u'ぽ' && (base - u'は') % 3 == 0;
            if (half && halfVoiceable)
                out.back() = QChar(char16_t(base + 2));
            else if (!half && base == u'う')
                out.back() = QChar(u'ゔ');
            else if (!half && (voiceable || halfVoiceable))
                out.back() = QChar(char16_t(base + 1));
            continue;
        }
        if (u >= 0x30A1 && u <= 0x30F6)
            u = char16_t(u - 0x60);
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
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (u == u'っ') {
            doubleNext = true;
            previous = u;
            continue;
        }
        if (u == u'ー') {
            previous = u; // a long vowel is read as the vowel once
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
        // A small kana after another joins it: きゃ kya, しゃ sya, ふぁ ha, てぃ ti.
        if (isSmall(u) && previous >= 0x3041 && previous <= 0x3096 && !isSmall(previous)
            && previous != u'っ' && !out.isEmpty() && isVowel(out.back())) {
            const bool yRow = u == u'ゃ' || u == u'ゅ' || u == u'ょ';
            out.chop(1);
            if (!yRow && !out.isEmpty() && out.back() == u'y')
                out.chop(1);
            if (yRow && out.endsWith(u'y'))
                romaji = romaji.mid(1);
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
    {"tch", "tty"}, {"cch", "tty"}, {"shi", "si"}, {"chi", "ti"}, {"tsu", "tu"}, {"sh", "sy"}, {"ch", "ty"},
    {"ts", "t"},   {"fu", "hu"},  {"ji", "zi"},  {"di", "zi"},  {"du", "zu"}, {"wo", "o"},
    {"nn", "n"},   {"n'", "n"},   {"mb", "nb"},  {"mp", "np"},  {"ca", "ka"}, {"cu", "ku"},
    {"co", "ko"},  {"f", "h"},    {"j", "zy"},
};

// The text with each spelling of the table, the first that fits at each place, replaced.
template <size_t N>
QString respelled(QStringView text, const Spelling (&table)[N])
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
    QString out = respelled(text, Spellings);
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
