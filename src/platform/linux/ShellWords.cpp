#include "ShellWords.h"

namespace ShellWords {

QStringList split(QStringView text)
{
    QStringList words;
    QString word;
    bool inWord = false;
    enum class Quote { None, Single, Double } quote = Quote::None;

    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        switch (quote) {
        case Quote::Single:
            if (c == u'\'')
                quote = Quote::None;
            else
                word += c;
            break;
        case Quote::Double:
            if (c == u'"') {
                quote = Quote::None;
            } else if (c == u'\\' && i + 1 < text.size()
                       && QStringView(u"\"\\$`").contains(text[i + 1])) {
                word += text[++i];
            } else {
                word += c;
            }
            break;
        case Quote::None:
            if (c == u' ' || c == u'\t' || c == u'\n' || c == u'\r') {
                if (inWord)
                    words.append(std::exchange(word, QString()));
                inWord = false;
            } else if (c == u'\'') {
                quote = Quote::Single;
                inWord = true;
            } else if (c == u'"') {
                quote = Quote::Double;
                inWord = true;
            } else if (c == u'\\' && i + 1 < text.size()) {
                word += text[++i];
                inWord = true;
            } else {
                word += c;
                inWord = true;
            }
            break;
        }
    }
    if (inWord)
        words.append(word);
    return words;
}

} // namespace ShellWords
