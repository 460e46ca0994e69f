#pragma once

#include <QString>
#include <QStringView>

// Kanji read as hiragana through the kakasi dictionary (Debian's kakasi-dic, a few MiB, read
// once): 電卓 でんたく, 辞書 じしょ, 東京駅 とうきょうえき, お知らせ おしらせ. Each word with kanji
// is read whole, with the kana around them (its okurigana choose the reading); everything
// else stays as it is, and so does a word the dictionary cannot read (a character outside
// JIS X 0208, or no dictionary at all).
//
// The dictionary is one per process and not made for threads: calls are taken one at a time.
// Reading a keyword costs some microseconds: never on a keystroke, once per keyword. It is
// opened at the first word with kanji and stays open, with the words read from it, until
// closed; the next word opens it again.
namespace KanjiReading {

QString hiraganaOf(QStringView text);

// Gives back the dictionary's file and the words kept from it: the keywords are all read.
void closeDictionary();

} // namespace KanjiReading
