#pragma once

#include "CompiledExpression.h"

using Variables = std::array<double, ValueTable::VariableCount>;

// Runs a compiled program over the value table: each operation in extended precision, each
// result rounded to a double as it is stored.
class Evaluator
{
public:
    // Copies the variables into slots 1..8 and returns the result slot. Throws Error with the
    // invalid-operation, division-by-zero or overflow text at the first operation that raises
    // one; the slots written before it keep their values. Underflow and inexact results pass.
    static double run(const CompiledProgram &program, const Variables &variables, Slots &table);
};
