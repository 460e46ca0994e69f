#include "OperationReducer.h"

#include "CalcErrors.h"

#include "base/Messages.h"

#include <algorithm>
#include <array>

namespace {

// Substrings by 1-based position, forgiving at both ends: a start before the text reads from its
// first character, a start past the end or a negative length gives "", a length running past
// the end stops there. The operand fields next to an operator are read this way, so an operator
// at the start of a bracket reads the operator itself and fails as no number.
QStringView copyText(QStringView text, qsizetype start, qsizetype length)
{
    if (start < 1)
        start = 1;
    if (start > text.size() || length < 0)
        return {};
    return text.mid(start - 1, length);
}

bool isInteger(QStringView text)
{
    qsizetype i = 0;
    if (i < text.size() && (text[i] == u'+' || text[i] == u'-'))
        ++i;
    if (i == text.size())
        return false;
    for (; i < text.size(); ++i) {
        if (text[i] < u'0' || text[i] > u'9')
            return false;
    }
    return true;
}

OpCode functionAt(QStringView code)
{
    for (const FunctionCode &function : FunctionCodes) {
        if (standardView(code) == function.code)
            return function.operation;
    }
    return OpCode{};
}

// Puts a slot reference in place of the characters from..to-1, at least two of them, so the text
// only ever shrinks and stays in its own buffer.
void putSlot(QString &text, qsizetype from, qsizetype to, int slot)
{
    Q_ASSERT(0 <= from && from + 2 <= to && to <= text.size());
    QChar *const data = text.data();
    const std::array<QChar, 2> digits = slotDigits(slot);
    std::copy(digits.begin(), digits.end(), data + from);
    std::copy(data + to, data + text.size(), data + from + 2);
    text.truncate(text.size() - (to - from - 2));
}

} // namespace

OperationReducer::OperationReducer(int base, int language)
    : m_base(base)
    , m_language(language)
{
}

void OperationReducer::reduce(const QString &compiled, CompiledProgram &program)
{
    m_operations.reserve(std::size_t(std::max(ValueTable::LastSlot - m_base, 0)));
    QString text = compiled;
    QString content; // one bracket's content, reduced apart from the rest of the text
    content.reserve(text.size());
    for (;;) {
        // The last "(" always opens an innermost bracket.
        const qsizetype open = text.lastIndexOf(u'(');
        if (open < 0)
            break;
        const qsizetype close = text.indexOf(u')', open + 1);
        if (close < 0)
            break; // misordered brackets; the final passes below reject what is left
        content.resize(0);
        content.append(QStringView(text).sliced(open + 1, close - open - 1));
        runPasses(content);
        const int inner = readReference(content);

        // A bracket opening within the first three characters reads the "(" itself among them,
        // so it is never taken for a function's bracket.
        const OpCode function = functionAt(copyText(text, open - 2, 3));
        if (function != OpCode{}) {
            const int slot = newOperation({function, std::int8_t(inner), 0, 1});
            putSlot(text, open - 3, close + 1, slot);
        } else {
            putSlot(text, open, close + 1, inner);
        }
    }
    // For well-formed input a single reference is left and this changes nothing. Brackets in the
    // wrong order, as in 1)+(2, leave operators outside every bracket; the result is then what
    // those operators compute, not the last bracket reduced.
    runPasses(text);
    program.result = readReference(text);
    program.operations = std::move(m_operations);
    m_operations.clear();
}

void OperationReducer::runPasses(QString &text)
{
    static constexpr std::pair<char16_t, OpCode> Passes[] = {
        {u'^', OpCode::Power},    {u'/', OpCode::Divide}, {u'*', OpCode::Multiply},
        {u'-', OpCode::Subtract}, {u'+', OpCode::Add},
    };
    for (const auto &[op, code] : Passes) {
        while (operatorPass(text, op, code)) {
        }
    }
}

bool OperationReducer::operatorPass(QString &text, char16_t op, OpCode code)
{
    const std::size_t found = standardView(text).find(op);
    if (found == std::u16string_view::npos)
        return false;
    const qsizetype q = qsizetype(found) + 1; // 1-based
    Operation operation{code, 0, 0, 1};
    operation.left = std::int8_t(readReference(copyText(text, q - 2, 2)));
    qsizetype after = q + 1;
    if (standardView(copyText(text, after, 1)) == u"-") {
        operation.sign = -1;
        ++after;
    }
    operation.right = std::int8_t(readReference(copyText(text, after, 2)));
    const int slot = newOperation(operation);
    // Both fields were two digits, so the left one starts at q-2 and the right one ends at
    // after+1 (1-based): the characters from 0-based q-3 up to after+1 give way to the result.
    putSlot(text, q - 3, after + 1, slot);
    return true;
}

int OperationReducer::newOperation(const Operation &operation)
{
    const int slot = m_base + int(m_operations.size()) + 1;
    if (slot > ValueTable::LastSlot)
        throw SyntaxError(m_language);
    m_operations.push_back(operation);
    return slot;
}

int OperationReducer::readReference(QStringView field) const
{
    if (!isInteger(field))
        throw Error(Messages::notAnInteger(field.toString()));
    // References are exactly two digits. A signed field comes from a second sign after an
    // operator (5---3), a longer one from two operands with nothing between them (2x, 2(3+4)).
    if (field.size() != 2 || field[0] == u'+' || field[0] == u'-')
        throw SyntaxError(m_language);
    const int slot = (field[0].unicode() - u'0') * 10 + (field[1].unicode() - u'0');
    if (!holdsValue(slot))
        throw SyntaxError(m_language);
    return slot;
}

bool OperationReducer::holdsValue(int slot) const
{
    const int lastResult = m_base + int(m_operations.size());
    return (slot >= 1 && slot <= ValueTable::VariableCount)
           || (slot >= ValueTable::FirstLiteral && slot < m_base)
           || (slot > m_base && slot <= lastResult);
}
