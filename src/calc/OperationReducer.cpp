#include "OperationReducer.h"

#include "CalcErrors.h"

#include "base/Messages.h"

namespace {

// Substrings by 1-based position, forgiving at both ends: a start before the text reads from its
// first character, a start past the end or a negative length gives "", a length running past
// the end stops there. The operand fields next to an operator are read this way, so an operator
// at the start of a bracket reads the operator itself and fails as no number.
QString copyText(const QString &text, qsizetype start, qsizetype length)
{
    if (start < 1)
        start = 1;
    if (start > text.size() || length < 0)
        return {};
    return text.mid(start - 1, length);
}

QString tailFrom(const QString &text, qsizetype start)
{
    return copyText(text, start, text.size());
}

bool isInteger(const QString &text)
{
    qsizetype i = 0;
    if (i < text.size() && (text[i] == QLatin1Char('+') || text[i] == QLatin1Char('-')))
        ++i;
    if (i == text.size())
        return false;
    for (; i < text.size(); ++i) {
        if (text[i] < QLatin1Char('0') || text[i] > QLatin1Char('9'))
            return false;
    }
    return true;
}

OpCode functionAt(const QString &code)
{
    for (const FunctionCode &function : FunctionCodes) {
        if (code == QLatin1String(function.code))
            return function.operation;
    }
    return OpCode{};
}

} // namespace

OperationReducer::OperationReducer(int base, int language)
    : m_base(base)
    , m_language(language)
{
}

void OperationReducer::reduce(const QString &compiled, CompiledProgram &program)
{
    QString text = compiled;
    for (;;) {
        // The last "(" always opens an innermost bracket.
        const qsizetype open = text.lastIndexOf(QLatin1Char('('));
        if (open < 0)
            break;
        const qsizetype close = text.indexOf(QLatin1Char(')'), open + 1);
        if (close < 0)
            break; // misordered brackets; the final passes below reject what is left
        QString content = text.mid(open + 1, close - open - 1);
        runPasses(content);
        const int inner = readReference(content);

        // A bracket opening within the first three characters reads the "(" itself among them,
        // so it is never taken for a function's bracket.
        const OpCode function = functionAt(copyText(text, open - 2, 3));
        if (function != OpCode{}) {
            const int slot = newOperation({function, std::int8_t(inner), 0, 1});
            text = text.left(open - 3) + slotText(slot) + text.mid(close + 1);
        } else {
            text = text.left(open) + slotText(inner) + text.mid(close + 1);
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
    static constexpr std::pair<char, OpCode> Passes[] = {
        {'^', OpCode::Power},    {'/', OpCode::Divide}, {'*', OpCode::Multiply},
        {'-', OpCode::Subtract}, {'+', OpCode::Add},
    };
    for (const auto &[op, code] : Passes) {
        while (operatorPass(text, QLatin1Char(op), code)) {
        }
    }
}

bool OperationReducer::operatorPass(QString &text, QChar op, OpCode code)
{
    const qsizetype q = text.indexOf(op) + 1; // 1-based, 0 when absent
    if (q == 0)
        return false;
    Operation operation{code, 0, 0, 1};
    operation.left = std::int8_t(readReference(copyText(text, q - 2, 2)));
    qsizetype after = q + 1;
    if (copyText(text, after, 1) == QLatin1String("-")) {
        operation.sign = -1;
        ++after;
    }
    operation.right = std::int8_t(readReference(copyText(text, after, 2)));
    const int slot = newOperation(operation);
    text = copyText(text, 1, q - 3) + slotText(slot) + tailFrom(text, after + 2);
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

int OperationReducer::readReference(const QString &field) const
{
    if (!isInteger(field))
        throw Error(Messages::notAnInteger(field));
    // References are exactly two digits. A signed field comes from a second sign after an
    // operator (5---3), a longer one from two operands with nothing between them (2x, 2(3+4)).
    if (field.size() != 2 || field[0] == QLatin1Char('+') || field[0] == QLatin1Char('-'))
        throw SyntaxError(m_language);
    const int slot = field.toInt();
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
