#include "ExpressionRewriter.h"

#include "CalcErrors.h"

#include "base/Messages.h"

#include <QVarLengthArray>

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <numeric>
#include <string>

namespace {

// Variable codes are made of characters that no number, operator or name may contain, so a
// name substituted later can never match inside an earlier one's code.
constexpr std::array<std::u16string_view, ValueTable::VariableCount> VariableCodes = {
    u"!!", u"!&", u"!%", u"&!", u"&&", u"&%", u"%!", u"%&"};

constexpr std::u16string_view PiText = u"3.14159265358979";

// The letters a-z of a text as a set of bits, bit 0 for "a".
constexpr std::uint32_t letterSet(std::u16string_view text)
{
    std::uint32_t set = 0;
    for (const char16_t c : text) {
        if (c >= u'a' && c <= u'z')
            set |= 1U << (c - u'a');
    }
    return set;
}

// The letters each function name needs; a name can only occur in a text that has them all.
constexpr auto FunctionLetters = [] {
    std::array<std::uint32_t, FunctionCodes.size()> sets{};
    for (std::size_t i = 0; i < FunctionCodes.size(); ++i)
        sets[i] = letterSet(FunctionCodes[i].name);
    return sets;
}();
constexpr std::uint32_t PiLetters = letterSet(u"pi");

bool isAsciiDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

bool isCodeCharacter(QChar c)
{
    return c == u'@' || c == u'#' || c == u'$';
}

bool isOperatorOrBracket(QChar c)
{
    return c == u'(' || c == u')' || c == u'^' || c == u'*' || c == u'/' || c == u'+' || c == u'-';
}

// Every occurrence of before, left to right and without overlaps, replaced as QString::replace
// does. Most patterns do not occur in a typical line, and a search without a match neither
// builds a search table nor touches the text.
void replaceAll(QString &text, QStringView before, QStringView after)
{
    if (standardView(text).find(standardView(before)) == std::u16string_view::npos)
        return;
    text.replace(before.data(), before.size(), after.data(), after.size());
}

// A run of digits and points as a double: at most one point and at least one digit. A run too
// large for a double is an overflow; one too small becomes 0, as underflow is no error.
double literalValue(QStringView run)
{
    const qsizetype points = run.count(u'.');
    if (points > 1 || run.size() == points)
        throw Error(Messages::notAFloat(run.toString()));

    // Only digits and points, so each character narrows to its Latin-1 byte as it is.
    QVarLengthArray<char, 32> latin(run.size());
    std::transform(run.begin(), run.end(), latin.begin(),
                   [](QChar c) { return char(c.unicode()); });
    const char *const first = latin.data();
    const char *const last = first + latin.size();
    double value = 0.0;
    const auto [end, ec] = std::from_chars(first, last, value);
    if (ec == std::errc::result_out_of_range) {
        const char *const point = std::find(first, last, '.');
        if (std::any_of(first, point, [](char c) { return c != '0'; }))
            throw Error(Messages::floatOverflow());
        return 0.0;
    }
    if (ec != std::errc() || end != last)
        throw Error(Messages::notAFloat(run.toString()));
    return value;
}

// Whether removing the function codes, each code in table order and every occurrence of it left
// to right, leaves nothing of a run of code characters.
bool isMadeOfCodes(QStringView run)
{
    // The usual run is one whole code; a run of three that is none cannot lose anything.
    if (run.size() == 3) {
        return std::any_of(
            FunctionCodes.begin(), FunctionCodes.end(),
            [run](const FunctionCode &function) { return standardView(run) == function.code; });
    }
    std::u16string rest(standardView(run));
    for (const FunctionCode &function : FunctionCodes) {
        std::u16string kept;
        std::size_t from = 0;
        for (std::size_t hit; (hit = rest.find(function.code, from)) != std::u16string::npos;
             from = hit + function.code.size())
            kept.append(rest, from, hit - from);
        kept.append(rest, from);
        rest = std::move(kept);
    }
    return rest.empty();
}

} // namespace

ExpressionRewriter::ExpressionRewriter(const VariableNames &names, int language)
    : m_names(names)
    , m_language(language)
{
}

void ExpressionRewriter::clearDuplicateNames(VariableNames &names)
{
    for (std::size_t i = 0; i + 1 < names.size(); ++i) {
        for (std::size_t j = i + 1; j < names.size(); ++j) {
            if (!names[j].isEmpty() && names[j] == names[i])
                names[j].clear();
        }
    }
}

QString ExpressionRewriter::asciiLower(const QString &text)
{
    // The copy shares the text until a capital is found, so a lower-case name costs nothing.
    QString lower = text;
    for (qsizetype i = 0; i < lower.size(); ++i) {
        const QChar c = lower.at(i);
        if (c >= u'A' && c <= u'Z')
            lower[i] = QChar(c.unicode() + (u'a' - u'A'));
    }
    return lower;
}

RewrittenExpression ExpressionRewriter::rewrite(const QString &text) const
{
    RewrittenExpression result = extractNumbers(withVariableCodes(normalised(text)));
    const bool hasVariableCodes =
        standardView(result.compiled).find_first_of(u"!&%") != std::u16string_view::npos;
    for (int i = 0; hasVariableCodes && i < ValueTable::VariableCount; ++i) {
        if (!m_names[i].isEmpty()) {
            const std::array<QChar, 2> slot = slotDigits(i + 1);
            replaceAll(result.compiled, VariableCodes[i], QStringView(slot.data(), slot.size()));
        }
    }
    validate(result.compiled);
    return result;
}

QString ExpressionRewriter::normalised(const QString &input) const
{
    // One pass over the input: letters A-Z in lower case, spaces dropped, every bracket round,
    // and the whole wrapped in one more bracket. Two brackets side by side are the only product
    // written without its operator, so ")(" gets its "*" here too. That adds at most one "*"
    // per character, so the text is written straight into a buffer of twice the input's size
    // and the wrapper, which is cut to length at the end.
    QString text(2 * input.size() + 2, Qt::Uninitialized);
    QChar *const start = text.data();
    QChar *out = start;
    *out++ = u'(';
    qsizetype opening = 1;
    qsizetype closing = 1;
    std::uint32_t letters = 0;
    for (const QChar typed : input) {
        char16_t c = typed.unicode();
        if (c == u' ')
            continue;
        if (c >= u'A' && c <= u'Z')
            c += u'a' - u'A';
        else if (c == u'[' || c == u'{')
            c = u'(';
        else if (c == u']' || c == u'}')
            c = u')';

        if (c == u'(') {
            if (out[-1] == u')')
                *out++ = u'*';
            ++opening;
        } else if (c == u')') {
            ++closing;
        } else if (c >= u'a' && c <= u'z') {
            letters |= 1U << (c - u'a');
        }
        *out++ = c;
    }
    *out++ = u')';
    text.truncate(out - start);

    // Only the counts are compared; misordered brackets are caught by the reduction.
    if (opening != closing)
        throw BracketError(m_language);

    // A sign at the start of a bracket becomes an operation on the literal 0.
    replaceAll(text, u"+-", u"-");
    replaceAll(text, u"(-", u"(0-");
    replaceAll(text, u"(+", u"(0+");

    // The replacements only ever take letters away, so the letters seen above still tell which
    // names cannot occur.
    for (std::size_t i = 0; i < FunctionCodes.size(); ++i) {
        if ((FunctionLetters[i] & ~letters) == 0)
            replaceAll(text, FunctionCodes[i].name, FunctionCodes[i].code);
    }
    if ((PiLetters & ~letters) == 0)
        replaceAll(text, u"pi", PiText);
    return text;
}

QString ExpressionRewriter::withVariableCodes(QString text) const
{
    // Longest name first, so that a short name cannot eat part of a longer one; among names of
    // one length the higher-numbered variable first.
    std::array<int, ValueTable::VariableCount> order;
    std::iota(order.begin(), order.end(), 0);
    // No two variables compare equal, so any sort gives this one order.
    std::sort(order.begin(), order.end(), [this](int a, int b) {
        if (m_names[a].size() != m_names[b].size())
            return m_names[a].size() > m_names[b].size();
        return a > b;
    });
    for (int i : order) {
        if (!m_names[i].isEmpty())
            replaceAll(text, asciiLower(m_names[i]), VariableCodes[i]);
    }
    return text;
}

RewrittenExpression ExpressionRewriter::extractNumbers(const QString &text) const
{
    RewrittenExpression result;
    result.literals.reserve(
        std::size_t(std::min<qsizetype>(text.size() / 2, ValueTable::MaxLiteralsAndOperations)));
    // A number as short as one digit becomes a two-digit slot reference; everything else is
    // copied as it is. So the compiled text is at most twice as long, and is written straight
    // into a buffer of that size, which is cut to length at the end.
    result.compiled = QString(2 * text.size() + 1, Qt::Uninitialized);
    QChar *const start = result.compiled.data();
    QChar *out = start;
    *out++ = u'(';
    qsizetype pending = -1; // where the number being read starts
    // The text ends with the wrapper's ")", so every number is flushed.
    for (qsizetype i = 1; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (isAsciiDigit(c) || c == u'.') {
            if (pending < 0)
                pending = i;
            continue;
        }
        if (pending >= 0) {
            const double value = literalValue(QStringView(text).sliced(pending, i - pending));
            if (int(result.literals.size()) >= ValueTable::MaxLiteralsAndOperations)
                throw SyntaxError(m_language);
            out = std::copy_n(slotDigits(result.base()).begin(), 2, out);
            result.literals.push_back(value);
            pending = -1;
        }
        *out++ = c;
    }
    result.compiled.truncate(out - start);
    return result;
}

void ExpressionRewriter::validate(const QString &compiled) const
{
    // What is left once the function codes are removed must be numbers, operators and brackets.
    // The codes are made of @ # $ alone, so removing them never joins characters across anything
    // else, and each run of those characters can be checked on its own.
    const QStringView text(compiled);
    for (qsizetype i = 0; i < text.size();) {
        const QChar c = text[i];
        if (isCodeCharacter(c)) {
            qsizetype end = i + 1;
            while (end < text.size() && isCodeCharacter(text[end]))
                ++end;
            if (!isMadeOfCodes(text.sliced(i, end - i)))
                throw SyntaxError(m_language);
            i = end;
            continue;
        }
        if (!isAsciiDigit(c) && c != u'.' && !isOperatorOrBracket(c))
            throw SyntaxError(m_language);
        ++i;
    }
}
