#pragma once

#include <QDateTime>
#include <QLocale>
#include <QString>

// The idle clock's text: the locale's short date, a blank and its long time format with
// seconds but without the time zone; the time is left out at exactly midnight.
QString clockText(const QDateTime &now, const QLocale &locale);

// A time format with its time-zone fields (unquoted "t") removed.
QString withoutTimeZone(const QString &timeFormat);
