#include "ExpressionRewriter.h"

#include "CalcErrors.h"

#include "base/Messages.h"

#include <algorithm>
#include <charconv>
#include <numeric>

namespace {

// Variable codes are made of characters that no number, operator or name may contain, so a
// name substituted later can never match inside an earlier one's code.
constexpr std::array<const char *, ValueTable::VariableCount> VariableCodes = {
    "!!", "!&", "!%", "&!", "&&", "&%", "%!", "%&"};

const QString PiText = QStringLiteral("3.14159265358979");

bool isAsciiDigit(QChar c)
{
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

// A run of digits and points as a double: at most one point and at least one digit. A run too
// large for a double is an overflow; one too small becomes 0, as underflow is no error.
double literalValue(const QString &run)
{
    const qsizetype points = run.count(QLatin1Char('.'));
    if (points > 1 || run.size() == points)
        throw Error(Messages::notAFloat(run));

    const QByteArray latin = run.toLatin1();
    double value = 0.0;
    const auto [end, ec] = std::from_chars(latin.data(), latin.data() + latin.size(), value);
    if (ec == std::errc::result_out_of_range) {
        const qsizetype point = latin.indexOf('.');
        const QByteArray integerPart = point < 0 ? latin : latin.left(point);
        if (std::any_of(integerPart.begin(), integerPart.end(), [](char c) { return c != '0'; }))
            throw Error(Messages::floatOverflow());
        return 0.0;
    }
    if (ec != std::errc() || end != latin.data() + latin.size())
        throw Error(Messages::notAFloat(run));
    return value;
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
    QString lower = text;
    for (QChar &c : lower) {
        if (c >= QLatin1Char('A') && c <= QLatin1Char('Z'))
            c = QChar(c.unicode() + ('a' - 'A'));
    }
    return lower;
}

RewrittenExpression ExpressionRewriter::rewrite(const QString &text) const
{
    RewrittenExpression result = extractNumbers(withVariableCodes(normalised(text)));
    for (int i = 0; i < ValueTable::VariableCount; ++i) {
        if (!m_names[i].isEmpty())
            result.compiled.replace(QLatin1String(VariableCodes[i]), slotText(i + 1));
    }
    validate(result.compiled);
    return result;
}

QString ExpressionRewriter::normalised(const QString &input) const
{
    QString text = QLatin1Char('(') + asciiLower(input).remove(QLatin1Char(' ')) + QLatin1Char(')');
    text.replace(QLatin1Char('['), QLatin1Char('('))
        .replace(QLatin1Char(']'), QLatin1Char(')'))
        .replace(QLatin1Char('{'), QLatin1Char('('))
        .replace(QLatin1Char('}'), QLatin1Char(')'));
    // Two brackets side by side are the only product written without its operator.
    text.replace(QLatin1String(")("), QLatin1String(")*("));

    // Only the counts are compared; misordered brackets are caught by the reduction.
    if (text.count(QLatin1Char('(')) != text.count(QLatin1Char(')')))
        throw BracketError(m_language);

    // A sign at the start of a bracket becomes an operation on the literal 0.
    text.replace(QLatin1String("+-"), QLatin1String("-"));
    text.replace(QLatin1String("(-"), QLatin1String("(0-"));
    text.replace(QLatin1String("(+"), QLatin1String("(0+"));

    for (const FunctionCode &function : FunctionCodes)
        text.replace(QLatin1String(function.name), QLatin1String(function.code));
    text.replace(QLatin1String("pi"), PiText);
    return text;
}

QString ExpressionRewriter::withVariableCodes(QString text) const
{
    // Longest name first, so that a short name cannot eat part of a longer one; among names of
    // one length the higher-numbered variable first.
    std::array<int, ValueTable::VariableCount> order;
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [this](int a, int b) {
        if (m_names[a].size() != m_names[b].size())
            return m_names[a].size() > m_names[b].size();
        return a > b;
    });
    for (int i : order) {
        if (!m_names[i].isEmpty())
            text.replace(asciiLower(m_names[i]), QLatin1String(VariableCodes[i]));
    }
    return text;
}

RewrittenExpression ExpressionRewriter::extractNumbers(const QString &text) const
{
    RewrittenExpression result;
    result.compiled = QStringLiteral("(");
    QString pending;
    // The text ends with the wrapper's ")", so every number is flushed.
    for (qsizetype i = 1; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (isAsciiDigit(c) || c == QLatin1Char('.')) {
            pending += c;
            continue;
        }
        if (!pending.isEmpty()) {
            const double value = literalValue(pending);
            if (int(result.literals.size()) >= ValueTable::MaxLiteralsAndOperations)
                throw SyntaxError(m_language);
            result.compiled += slotText(result.base());
            result.literals.push_back(value);
            pending.clear();
        }
        result.compiled += c;
    }
    return result;
}

void ExpressionRewriter::validate(const QString &compiled) const
{
    QString rest = compiled;
    for (const FunctionCode &function : FunctionCodes)
        rest.remove(QLatin1String(function.code));
    for (const QChar c : rest) {
        if (isAsciiDigit(c) || c == QLatin1Char('.'))
            continue;
        if (QStringLiteral("()^*/+-").contains(c))
            continue;
        throw SyntaxError(m_language);
    }
}
