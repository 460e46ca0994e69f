#include "EnterCommand.h"

#include "KeywordText.h"

#include "base/ShiftJis.h"

#include <algorithm>

namespace {

bool contains(const QString &text, QStringView what)
{
    return text.contains(what, Qt::CaseInsensitive);
}

} // namespace

EnterCommand EnterCommand::classify(const QString &t, std::span<const Form> forms,
                                    const QString &shutdownName, const QString &rebootName,
                                    const std::function<bool(const QString &)> &isLaunchable,
                                    const std::function<bool(const QString &)> &opensATarget)
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
    for (const Form &form : forms) {
        if (!form.suffix && t == form.word)
            return {K::Command, t, form.command};
        if (form.suffix && contains(t, form.word))
            return {K::Command, chopBytes(t, int(form.word.size())), form.command, true};
    }
    const bool arithmetic =
        std::ranges::any_of(QStringView(u"+-/*("), [&](QChar c) { return t.contains(c); });
    // Only a text that would otherwise be calculated costs the look-up.
    if (arithmetic && !(isLaunchable && isLaunchable(t)))
        return {K::Calculate, t};
    return {K::Keyword, t};
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
