#include "Evaluator.h"

#include "ExtendedMath.h"

#include "base/Error.h"
#include "base/Messages.h"

#include <algorithm>
#include <cfenv>
#include <cmath>

namespace {

long double compute(const Operation &op, long double l, long double r)
{
    const long double s = op.sign;
    switch (op.code) {
    case OpCode::Power:
        return ExtendedMath::power(l, s * r);
    case OpCode::Multiply:
        return (s * l) * r;
    case OpCode::Divide:
        return (s * l) / r;
    case OpCode::Add:
        return s * r + l;
    case OpCode::Subtract:
        return l - s * r;
    case OpCode::Exp:
        return ExtendedMath::exp(l);
    case OpCode::Ln:
        return ExtendedMath::ln(l);
    case OpCode::Log10:
        return ExtendedMath::log10(l);
    case OpCode::Sin:
        return ExtendedMath::sin(l);
    case OpCode::Cos:
        return ExtendedMath::cos(l);
    case OpCode::Tan:
        return ExtendedMath::tan(l);
    case OpCode::Abs:
        return std::fabs(l);
    case OpCode::ArcSin:
        return ExtendedMath::arcsin(l);
    case OpCode::ArcCos:
        return ExtendedMath::arccos(l);
    case OpCode::ArcTan:
        return ExtendedMath::arctan(l);
    case OpCode::Erf:
        return ExtendedMath::erf(l);
    case OpCode::Erfc:
        return ExtendedMath::erfc(l);
    case OpCode::Sqrt:
        return std::sqrt(l);
    }
    return 0.0L;
}

// The flags are shared with everything else on this thread; leave them as they were found.
class FlagsGuard
{
public:
    FlagsGuard() { std::fegetexceptflag(&m_saved, FE_ALL_EXCEPT); }
    ~FlagsGuard() { std::fesetexceptflag(&m_saved, FE_ALL_EXCEPT); }
    FlagsGuard(const FlagsGuard &) = delete;
    FlagsGuard &operator=(const FlagsGuard &) = delete;

private:
    std::fexcept_t m_saved{};
};

void throwOnFlags(int flags)
{
    if (flags & FE_INVALID)
        throw Error(Messages::invalidFloatOperation());
    if (flags & FE_DIVBYZERO)
        throw Error(Messages::floatDivisionByZero());
    if (flags & FE_OVERFLOW)
        throw Error(Messages::floatOverflow());
}

} // namespace

double Evaluator::run(const CompiledProgram &program, const Variables &variables, Slots &table)
{
    const FlagsGuard callersFlags;
    std::copy(variables.begin(), variables.end(), table.begin() + 1);
    int slot = program.base;
    for (const Operation &op : program.operations) {
        ++slot;
        // The volatiles keep the compiler from moving the arithmetic across the flag calls.
        std::feclearexcept(FE_ALL_EXCEPT);
        volatile long double l = table[op.left];
        volatile long double r = table[op.right];
        // Rounding to double is where a result beyond the double range overflows.
        volatile double stored = static_cast<double>(compute(op, l, r));
        throwOnFlags(std::fetestexcept(FE_INVALID | FE_DIVBYZERO | FE_OVERFLOW));
        table[slot] = stored;
    }
    return table[program.result];
}
