#pragma once

#include "CompiledExpression.h"

#include <QString>
#include <QStringView>

// The second half of the compile: reduces the compiled text, innermost bracket first and
// operator by operator, to operation records.
//
// The operator passes give this calculator its precedence: "^" first, then "/" before "*" and
// "-" before "+", each pass taking the leftmost operator first (so every operator is
// left-associative). A minus straight after an operator is the sign of the right operand.
class OperationReducer
{
public:
    // base: the first slot after the literals.
    OperationReducer(int base, int language);

    // Fills program.operations and program.result. Throws Error with the not-an-integer text when
    // an operand field or a bracket holds something other than a number, and SyntaxError when
    // a number names no slot that holds a value by then (two references side by side, a doubled
    // sign) or the expression needs more slots than the table has.
    void reduce(const QString &compiled, CompiledProgram &program);

private:
    void runPasses(QString &text);
    bool operatorPass(QString &text, char16_t op, OpCode code);
    int newOperation(const Operation &operation);
    int readReference(QStringView field) const;
    bool holdsValue(int slot) const;

    int m_base;
    int m_language;
    std::vector<Operation> m_operations;
};
