#pragma once

#include <QString>
#include <QStringView>

// The reading of a keyword or of a typed text, by which a keyword is reached whatever the
// state of the input method: one form for the ways of writing the same sounds. Full-width
// Latin letters and digits become half-width, half-width katakana full-width; katakana and
// hiragana become romaji, and romaji typed in any of the usual spellings (Hepburn, Kunrei,
// what romaji input accepts) is written one way: shi/si, chi/ti, tsu/tu, fu/hu, ji/zi, sha/sya,
// she/sye, dzu/du/zu, ん as n, nn or n', a doubled consonant for a small tsu, long vowels (ou,
// oo, the long-vowel mark, "-" after a vowel) as one vowel, the iteration marks ゝ ゞ as the
// kana they repeat. Letters are lower case. Whatever else is in the text (kanji, signs) stays
// as it is.
//
// So "memo", "ｍｅｍｏ", "めも", "メモ" and "ﾒﾓ" read alike, and a text whose reading begins
// another's reaches it as the text typed so far: "me" reaches "メモ帳". A reading is for
// comparing; hepburn() writes it for showing.
namespace KeywordReading {

QString of(QStringView text);

// The readings a text typed so far stands for: its reading, and a second where it ends
// halfway through a spelling that goes two ways ("c" of "ca" and of "cha": "memoc" reads
// as "memok" and as "memot").
struct Typed
{
    QString reading;
    QString other; // empty where there is none
};
Typed ofTyped(QStringView text);

// A reading written in the Hepburn spelling most users type (shi, chi, tsu, fu, ji, sha,
// cha, ja), for showing what to type; its reading is the reading again.
QString hepburn(QStringView reading);

} // namespace KeywordReading
