#pragma once

// The calculator's functions in 80-bit extended precision. They report trouble only through the
// floating-point exception flags, which the evaluator reads after each operation.
namespace ExtendedMath {

// 0^0 = 1 and 0^x = 0 for x > 0; integral exponents by repeated squaring; anything else as
// exp(x ln b), so a negative base with a fractional exponent is an invalid operation.
long double power(long double base, long double exponent);
long double exp(long double x);
long double ln(long double x);
long double log10(long double x);
// The three trigonometric functions give 0 beyond 2^63, where the processor cannot reduce them.
long double sin(long double x);
long double cos(long double x);
long double tan(long double x);
long double arcsin(long double x);
long double arccos(long double x);
long double arctan(long double x);
// A Chebyshev approximation, good to about 1.2e-7; erfc(0) is 1.00000003, not 1.
long double erfc(long double x);
long double erf(long double x);

} // namespace ExtendedMath
