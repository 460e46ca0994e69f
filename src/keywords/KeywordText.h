#pragma once

#include <QString>

#include <cstdint>

// How keywords are compared and which texts may name an entry file.
namespace KeywordText {

// One UTF-16 unit case-folded. A surrogate stays as it is: letters that fold outside the
// basic plane keep their high surrogate.
char16_t foldUnit(char16_t c);

// The folded first unit (bits 0-15), the folded second unit (bits 16-31, 0 when there is
// none) and the length (bits 32-47, at most 0xFFFF) of a keyword in one number, so that scans
// of a long list can pass over most rows without reading their text.
uint64_t head(QStringView keyword);

// Which bits of head() every keyword equal to the text shares with the text's own head().
// A second unit after a high surrogate is left out: it folds together with its pair.
uint64_t equalMask(QStringView text);

// Which bits of head() every keyword beginning with the text shares with the text's own
// head(), the length aside (a longer keyword may begin with the text).
uint64_t prefixMask(QStringView text);

// Keywords are equal when they differ in letter case at most (not in width or kana).
bool equal(QStringView a, QStringView b);

// Whether the keyword begins with the prefix, letter case ignored.
bool startsWith(QStringView keyword, QStringView prefix);

// The first whole character: a surrogate pair counts as one. Empty for an empty text.
QStringView firstCharacter(QStringView keyword);

// Whether a keyword can name a file inside the store folder and nothing else.
bool isFileName(QStringView keyword);

// Raises an Error with a clear message when isFileName() is false.
void checkFileName(const QString &keyword);

} // namespace KeywordText
