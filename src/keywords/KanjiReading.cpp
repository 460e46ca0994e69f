#include "KanjiReading.h"

#include <QMutex>
#include <QMutexLocker>
#include <QStringDecoder>
#include <QStringEncoder>

// The library's header declares C functions without saying so.
extern "C" {
#include <libkakasi.h>
}

#include <memory>

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

// kakasi set to read kanji as hiragana, in EUC-JP; once.
bool opened()
{
    static const bool done = [] {
        char program[] = "kakasi";
        char kanji[] = "-JH";
        char in[] = "-ieuc";
        char out[] = "-oeuc";
        char *arguments[] = {program, kanji, in, out};
        return kakasi_getopt_argv(4, arguments) == 0;
    }();
    return done;
}

// The run read, or empty where it cannot be.
QString read(QStringView run)
{
    QStringEncoder toEuc("EUC-JP", QStringConverter::Flag::Stateless);
    QByteArray euc = toEuc.encode(run);
    if (toEuc.hasError() || euc.isEmpty())
        return {};
    const std::unique_ptr<char, int (*)(char *)> reading(kakasi_do(euc.data()), &kakasi_free);
    if (!reading)
        return {};
    QStringDecoder fromEuc("EUC-JP", QStringConverter::Flag::Stateless);
    const QString text = fromEuc.decode(QByteArrayView(reading.get()));
    return fromEuc.hasError() ? QString() : text;
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

} // namespace KanjiReading
