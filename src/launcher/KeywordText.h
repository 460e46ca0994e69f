#pragma once

#include <QString>

#include <cstdint>

// How keywords are compared and which texts may name an entry file.
namespace KeywordText {

// One UTF-16 unit case-folded. A surrogate stays as it is: letters that fold outside the
// basic plane keep their high surrogate.
char16_t foldUnit(char16_t c);

// The length (up to 0xFFFF) and the folded first unit of a keyword in one number, so that
// scans of a long list can pass over most rows without reading their text.
uint32_t head(QStringView keyword);

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
