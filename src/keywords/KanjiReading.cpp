#include "KanjiReading.h"

#include "base/ShiftJis.h"

#include <QMutex>
#include <QMutexLocker>

// The library's header declares C functions without saying so.
extern "C" {
#include <libkakasi.h>
}

#include <memory>
#include <optional>

namespace KanjiReading {

namespace {

QMutex dictionary;

bool isKanji(QChar c)
{
    const char16_t u = c.unicode();
    return (u >= 0x4E00 && u <= 0x9FFF) || (u >= 0x3400 && u <= 0x4DBF) || u == u'々'
           || c.isSurrogate();
}

// What the dictionary reads as one word: kanji with the kana around them, whose okurigana
// and ヶ choose the reading (お知らせ oshirase, not "o" + 知 chi + "rase").
bool isWordPart(QChar c)
{
    const char16_t u = c.unicode();
    return isKanji(c) || (u >= 0x3041 && u <= 0x3096) || (u >= 0x30A1 && u <= 0x30FA) || u == u'ー'
           || u == u'ゝ' || u == u'ゞ' || u == u'ヽ' || u == u'ヾ';
}

enum class Dictionary { Closed, Open, Missing };
Dictionary state = Dictionary::Closed;

// kakasi set to read kanji as hiragana, in Shift-JIS, which the data files' converter
// already speaks. Setting it up again first gives back the words kept from an earlier use.
bool opened()
{
    if (state == Dictionary::Closed) {
        char program[] = "kakasi";
        char kanji[] = "-JH";
        char in[] = "-isjis";
        char out[] = "-osjis";
        char *arguments[] = {program, kanji, in, out};
        state = kakasi_getopt_argv(4, arguments) == 0 ? Dictionary::Open : Dictionary::Missing;
    }
    return state == Dictionary::Open;
}

// Whether the bytes hold only JIS X 0208, the dictionary's characters: none of code page
// 932's own rows (NEC's row 13, the IBM extensions, the user-defined area).
bool onlyJisX0208(QByteArrayView bytes)
{
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const auto lead = static_cast<unsigned char>(bytes[i]);
        if (lead < 0x80 || (lead >= 0xA1 && lead <= 0xDF))
            continue;
        if (lead == 0x87 || lead >= 0xED)
            return false;
        ++i; // the trail byte
    }
    return true;
}

// The run read, or empty where it cannot be.
QString read(QStringView run)
{
    std::optional<QByteArray> bytes = ShiftJis::encode(run);
    if (!bytes || bytes->isEmpty() || !onlyJisX0208(*bytes))
        return {};
    const std::unique_ptr<char, int (*)(char *)> reading(kakasi_do(bytes->data()), &kakasi_free);
    if (!reading)
        return {};
    const QString text = ShiftJis::decode(QByteArrayView(reading.get()));
    return text.contains(u'\uFFFD') ? QString() : text;
}

} // namespace

QString hiraganaOf(QStringView text)
{
    QString out;
    out.reserve(text.size() * 2);
    for (qsizetype i = 0; i < text.size();) {
        if (!isWordPart(text[i])) {
            out.append(text[i++]);
            continue;
        }
        qsizetype end = i;
        bool hasKanji = false;
        while (end < text.size() && isWordPart(text[end]))
            hasKanji = isKanji(text[end++]) || hasKanji;
        const QStringView word = text.sliced(i, end - i);
        QString reading;
        if (hasKanji) {
            const QMutexLocker lock(&dictionary);
            if (opened())
                reading = read(word);
        }
        out.append(reading.isEmpty() ? word.toString() : reading);
        i = end;
    }
    return out;
}

void closeDictionary()
{
    const QMutexLocker lock(&dictionary);
    if (state != Dictionary::Open)
        return;
    // Set up anew, it lets go of the words kept; closed, of its file.
    char program[] = "kakasi";
    char *arguments[] = {program};
    kakasi_getopt_argv(1, arguments);
    kakasi_close_kanwadict();
    state = Dictionary::Closed;
}

} // namespace KanjiReading
