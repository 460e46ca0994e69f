#include "EnterCommand.h"

#include "KeywordText.h"
#include "KeywordWords.h"

#include "base/ShiftJis.h"

#include <algorithm>
#include <optional>

namespace {

bool contains(const QString &text, QStringView what)
{
    return text.contains(what, Qt::CaseInsensitive);
}

// What kana input writes for "-", "/", "." and the signs of arithmetic, read as those only in
// a line that is a formula: in words they are a long vowel, a middle dot, a full stop.
char16_t asciiInFormula(char16_t c)
{
    switch (c) {
    case u'ー':
    case u'−':
        return u'-';
    case u'・':
    case u'÷':
        return u'/';
    case u'×':
        return u'*';
    case u'。':
        return u'.';
    default:
        return 0;
    }
}

// The line as the calculator reads it: an input method in its full-width mode types a
// formula in the full-width forms of ASCII and the ideographic space.
QString formulaText(const QString &text)
{
    QString out = text;
    bool digit = false;
    bool formula = true;
    for (QChar &c : out) {
        char16_t u = c.unicode();
        if (u >= 0xFF01 && u <= 0xFF5E)
            u = char16_t(u - 0xFEE0);
        else if (u == 0x3000)
            u = u' ';
        c = QChar(u);
        digit = digit || (u >= u'0' && u <= u'9');
        formula = formula && (u < 0x7F || asciiInFormula(u));
    }
    if (!formula || !digit)
        return out;
    for (QChar &c : out) {
        if (const char16_t ascii = asciiInFormula(c.unicode()))
            c = QChar(ascii);
    }
    return out;
}

bool holdsOperator(const QString &formula)
{
    return std::ranges::any_of(QStringView(u"+-/*("), [&](QChar c) { return formula.contains(c); });
}

} // namespace

EnterCommand EnterCommand::classify(const QString &t, std::span<const Form> forms,
                                    const QString &shutdownName, const QString &rebootName,
                                    const std::function<bool(const QString &)> &isLaunchable,
                                    const std::function<bool(const QString &)> &opensATarget,
                                    const KeywordOf &keywordOf)
{
    using K = Kind;
    // An emptied name must never make Enter on an empty line switch the computer off, and
    // neither must a keyword of the user's own that happens to carry a power name.
    const auto powerName = [&](const QString &name) {
        return !t.isEmpty() && KeywordText::equal(t, name) && !(opensATarget && opensATarget(t));
    };
    if (powerName(shutdownName))
        return {K::PowerOff, t};
    if (powerName(rebootName))
        return {K::Reboot, t};
    // A secure address is as plainly an address as a plain one.
    if (contains(t, u"http://") || contains(t, u"https://"))
        return {K::Address, t};
    const auto launchable = [&](const QString &text) {
        return isLaunchable && isLaunchable(text);
    };
    const QString formula = formulaText(t);
    const bool arithmetic = holdsOperator(formula);
    // A keyword holding a blank is matched whole before its first word is.
    std::optional<KeywordWords> withWords;
    if (keywordOf) {
        withWords = KeywordWords::split(t);
        if (withWords && !launchable(t))
            withWords->keyword = keywordOf(withWords->keyword, !arithmetic);
        else
            withWords.reset();
        if (withWords && withWords->keyword.isEmpty())
            withWords.reset();
    }
    for (const Form &form : forms) {
        if (!form.suffix && t == form.word)
            return {K::Command, t, form.command};
        if (form.suffix && contains(t, form.word)) {
            const QString keyword = chopBytes(t, int(form.word.size()));
            // A suffix among a keyword's words is one of the words.
            if (withWords && !launchable(keyword))
                continue;
            return {K::Command, keyword, form.command, true};
        }
    }
    if (withWords)
        return {K::KeywordWithWords, withWords->keyword, -1, false, withWords->words};
    // Only a text that would otherwise be calculated costs the look-up.
    if (arithmetic && !launchable(t))
        return {K::Calculate, formula};
    return {K::Keyword, t};
}

bool EnterCommand::isFormula(const QString &text)
{
    return holdsOperator(formulaText(text));
}

QString EnterCommand::chopBytes(const QString &text, int bytes)
{
    qsizetype end = text.size();
    while (bytes > 0 && end > 0) {
        qsizetype start = end - 1;
        if (start > 0 && text[start].isLowSurrogate() && text[start - 1].isHighSurrogate())
            --start;
        const auto encoded = ShiftJis::encode(QStringView(text).mid(start, end - start));
        bytes -= encoded ? int(encoded->size()) : 2;
        end = start;
    }
    return text.left(end);
}
