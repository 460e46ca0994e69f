#include "WordSubstitution.h"

#include "platform/Shell.h"

#include <QUrl>

namespace {

// The text with every %s replaced and every %% made a lone %; `found` tells of a %s.
QString substitute(const QString &text, const QString &replacement, bool &found)
{
    QString out;
    out.reserve(text.size() + replacement.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar next = i + 1 < text.size() ? text[i + 1] : QChar();
        if (text[i] == u'%' && next == u's') {
            out += replacement;
            found = true;
            ++i;
        } else if (text[i] == u'%' && next == u'%') {
            out += u'%';
            ++i;
        } else {
            out += text[i];
        }
    }
    return out;
}

} // namespace

WordSubstitution WordSubstitution::apply(const QString &target, const QString &parameters,
                                         const QString &words)
{
    bool found = false;
    // A web site reads its query as UTF-8 octets; a space is %20, which every site takes.
    const QString inTarget =
        Shell::isAddress(target) ? QString::fromLatin1(QUrl::toPercentEncoding(words)) : words;
    WordSubstitution out{substitute(target, inTarget, found), substitute(parameters, words, found)};
    if (!found && words.isEmpty())
        return {target, parameters};
    if (!found)
        out.parameters +=
            (out.parameters.trimmed().isEmpty() ? QString() : QStringLiteral(" ")) + words;
    return out;
}
