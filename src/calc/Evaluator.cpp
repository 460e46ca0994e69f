#include "Evaluator.h"

#include "ExtendedMath.h"

#include "base/Error.h"
#include "base/Messages.h"

#include <algorithm>
#include <array>
#include <cfenv>
#include <cmath>

namespace {

using Function = long double (*)(long double);

long double absolute(long double x)
{
    return std::fabs(x);
}

long double squareRoot(long double x)
{
    return std::sqrt(x);
}

constexpr std::array<Function, 13> kFunctions{ExtendedMath::exp,
                                              ExtendedMath::ln,
                                              ExtendedMath::log10,
                                              ExtendedMath::sin,
                                              ExtendedMath::cos,
                                              ExtendedMath::tan,
                                              absolute,
                                              ExtendedMath::arcsin,
                                              ExtendedMath::arccos,
                                              ExtendedMath::arctan,
                                              ExtendedMath::erf,
                                              ExtendedMath::erfc,
                                              squareRoot};
static_assert(std::size_t(OpCode::Sqrt) - std::size_t(OpCode::Exp) + 1 == kFunctions.size());

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
    default:
        // The functions, in the order of their codes.
        return kFunctions[std::size_t(op.code) - std::size_t(OpCode::Exp)](l);
    }
}

// The flags that end an evaluation with an error.
constexpr int ErrorFlags = FE_INVALID | FE_DIVBYZERO | FE_OVERFLOW;

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
    // Clearing the flags is far slower than the arithmetic, so it happens once, and only when
    // the caller left one of the error flags set. After that each error flag found set was
    // raised by the operation just run: an earlier one would have ended the run. Inexact and
    // underflow may pile up meanwhile; nothing reads them, and the guard restores them.
    if (std::fetestexcept(ErrorFlags) != 0)
        std::feclearexcept(FE_ALL_EXCEPT);
    std::copy(variables.begin(), variables.end(), table.begin() + 1);
    int slot = program.base;
    for (const Operation &op : program.operations) {
        ++slot;
        // The volatiles keep the compiler from moving the arithmetic across the flag calls.
        volatile long double l = table[op.left];
        volatile long double r = table[op.right];
        // Rounding to double is where a result beyond the double range overflows.
        volatile double stored = static_cast<double>(compute(op, l, r));
        throwOnFlags(std::fetestexcept(ErrorFlags));
        table[slot] = stored;
    }
    return table[program.result];
}
