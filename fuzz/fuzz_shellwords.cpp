// The parameters of an entry split into arguments as a shell would. The input is the parameter
// text (UTF-8).

#include "FuzzSupport.h"

#include "platform/linux/ShellWords.h"

namespace {

// Three ways of writing one word for the shell, so that a round through each quoting rule
// must give the word back.
QString singleQuoted(const QString &word)
{
    QString out = QStringLiteral("'");
    for (QChar c : word)
        out += c == u'\'' ? QStringLiteral("'\\''") : QString(c);
    return out + u'\'';
}

QString doubleQuoted(const QString &word)
{
    QString out = QStringLiteral("\"");
    for (QChar c : word) {
        if (c == u'"' || c == u'\\' || c == u'$' || c == u'`')
            out += u'\\';
        out += c;
    }
    return out + u'"';
}

QString backslashed(const QString &word)
{
    if (word.isEmpty())
        return QStringLiteral("''");
    QString out;
    for (QChar c : word) {
        out += u'\\';
        out += c;
    }
    return out;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString text = QString::fromUtf8(Fuzz::bytes(data, size));
    const QStringList words = ShellWords::split(text);

    // Quoting only takes characters away: no argument text is made up.
    qsizetype total = 0;
    for (const QString &word : words)
        total += word.size();
    FUZZ_CHECK(total <= text.size());

    // Without quotes or backslashes, blanks alone separate.
    if (!text.contains(u'\'') && !text.contains(u'"') && !text.contains(u'\\')) {
        QString spaced = text;
        spaced.replace(u'\t', u' ').replace(u'\n', u' ').replace(u'\r', u' ');
        FUZZ_CHECK(words == spaced.split(u' ', Qt::SkipEmptyParts));
    }

    // The words quoted again, each rule in turn, split back into the same words.
    QStringList quoted;
    for (qsizetype i = 0; i < words.size(); ++i) {
        switch (i % 3) {
        case 0:
            quoted << singleQuoted(words[i]);
            break;
        case 1:
            quoted << doubleQuoted(words[i]);
            break;
        default:
            quoted << backslashed(words[i]);
            break;
        }
    }
    FUZZ_CHECK(ShellWords::split(quoted.join(u' ')) == words);
    return 0;
}
