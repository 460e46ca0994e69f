#include "ExtendedMath.h"

#include <cfenv>
#include <climits>
#include <cmath>

namespace ExtendedMath {

namespace {

constexpr long double Log2E = 1.442695040888963407359924681001892137L;
constexpr long double TwoTo63 = 9223372036854775808.0L;

long double integerPower(long double base, long long exponent)
{
    unsigned long long n = exponent < 0 ? 0ULL - static_cast<unsigned long long>(exponent)
                                        : static_cast<unsigned long long>(exponent);
    long double result = 1.0L;
    long double square = base;
    // No squaring after the last bit, so no intermediate can overflow needlessly.
    while (n != 0) {
        if (n & 1U)
            result *= square;
        n >>= 1;
        if (n != 0)
            square *= square;
    }
    if (exponent >= 0)
        return result;
    // b^-n is 1/b^n, but the reciprocal must not turn one range error into another: when b^n
    // overflows the true value only underflows, and when b^n underflows to 0 (b != 0) the true
    // value overflows rather than dividing by zero.
    if (std::isinf(result) && !std::isinf(base)) {
        std::feclearexcept(FE_OVERFLOW);
        return std::copysign(0.0L, result);
    }
    if (result == 0.0L && base != 0.0L) {
        std::feraiseexcept(FE_OVERFLOW);
        return std::copysign(HUGE_VALL, result);
    }
    return 1.0L / result;
}

} // namespace

long double power(long double base, long double exponent)
{
    if (exponent == 0.0L)
        return 1.0L;
    if (base == 0.0L && exponent > 0.0L)
        return 0.0L;
    if (std::trunc(exponent) == exponent && std::fabs(exponent) <= INT_MAX)
        return integerPower(base, static_cast<long long>(exponent));
    return exp(exponent * ln(base));
}

long double exp(long double x)
{
    return std::exp2(x * Log2E);
}

long double ln(long double x)
{
    return std::log(x);
}

long double log10(long double x)
{
    return std::log10(x);
}

long double sin(long double x)
{
    return std::fabs(x) >= TwoTo63 ? 0.0L : std::sin(x);
}

long double cos(long double x)
{
    return std::fabs(x) >= TwoTo63 ? 0.0L : std::cos(x);
}

long double tan(long double x)
{
    return std::fabs(x) >= TwoTo63 ? 0.0L : std::tan(x);
}

long double arcsin(long double x)
{
    return std::atan2(x, std::sqrt(1.0L - x * x));
}

long double arccos(long double x)
{
    return std::atan2(std::sqrt(1.0L - x * x), x);
}

long double arctan(long double x)
{
    return std::atan2(x, 1.0L);
}

long double erfc(long double x)
{
    const long double z = std::fabs(x);
    const double t = static_cast<double>(1.0L / (1.0L + 0.5L * z));
    const long double series =
        -z * z - 1.26551223L
        + t
              * (1.00002368L
                 + t
                       * (0.37409196L
                          + t
                                * (0.09678418L
                                   + t
                                         * (-0.18628806L
                                            + t
                                                  * (0.27886807L
                                                     + t
                                                           * (-1.13520398L
                                                              + t
                                                                    * (1.48851587L
                                                                       + t
                                                                             * (-0.82215223L
                                                                                + t * 0.17087277L))))))));
    const double y = static_cast<double>(t * exp(series));
    return x >= 0.0L ? y : 2.0L - y;
}

long double erf(long double x)
{
    return 1.0L - erfc(x);
}

} // namespace ExtendedMath
