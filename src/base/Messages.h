#pragma once

#include <QString>

// The library messages that the error box shows, built in one place.
namespace Messages {

QString cannotOpenFile(const QString &path, const QString &reason);
// The reason given for a path that names a pipe, a device or a socket instead of a file.
QString notAFile();
QString cannotCreateFile(const QString &path, const QString &reason);
QString cannotWriteFile(const QString &path);
QString notAnInteger(const QString &text);
QString notAFloat(const QString &text);
QString floatDivisionByZero();
QString invalidFloatOperation();
QString floatOverflow();
QString folderAccessDenied();
QString ioError(int code);
// An I/O failure as the folder functions report it: access denied or "I/O エラー (n)".
QString ioFailure(int errnoValue);

// The system's reason for a failed file operation, in Japanese where one is known.
QString systemReason(int errnoValue);

QString unencodableText(const QString &text);
QString invalidKeyword(const QString &keyword);

} // namespace Messages
