#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

// Code page 932 (Shift-JIS as Windows writes it), the encoding of every data file.
namespace ShiftJis {

// The code page agrees with ASCII below 0x80: such text needs no conversion either way.
bool isAscii(QByteArrayView bytes);
bool isAscii(QStringView text);

// Bytes that are no character of the code page decode to U+FFFD.
QString decode(QByteArrayView bytes);

// No value when the text holds a character the code page cannot hold, or one it would
// only hold as a look-alike that reads back as another character.
std::optional<QByteArray> encode(QStringView text);

// As encode(), but refuses such text with an Error naming it.
QByteArray encodeOrThrow(QStringView text);

} // namespace ShiftJis
