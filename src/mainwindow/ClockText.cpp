#include "ClockText.h"

QString withoutTimeZone(const QString &timeFormat)
{
    QString out;
    bool quoted = false;
    for (QChar c : timeFormat) {
        if (c == u'\'')
            quoted = !quoted;
        if (!quoted && c == u't')
            continue;
        out += c;
    }
    return out.trimmed();
}

QString clockText(const QDateTime &now, const QLocale &locale)
{
    const QString date = locale.toString(now.date(), QLocale::ShortFormat);
    if (now.time() == QTime(0, 0))
        return date;
    return date + u' '
           + locale.toString(now.time(), withoutTimeZone(locale.timeFormat(QLocale::LongFormat)));
}
