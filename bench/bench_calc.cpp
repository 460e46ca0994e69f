// Compile and evaluate typical lines of arithmetic, as Enter does, and evaluate a compiled one
// again, as reading Value does.
#include "calc/MathsParser.h"

#include <benchmark/benchmark.h>

static void compileAndEvaluate(benchmark::State &state, const char *text)
{
    MathsParser parser;
    const QString expression = QString::fromUtf8(text);
    for (auto _ : state) {
        parser.setExpression(expression);
        benchmark::DoNotOptimize(parser.value());
    }
}

// The lines measured: a function of pi, a power of a function, and the default variables.
BENCHMARK_CAPTURE(compileAndEvaluate, sinOfHalfPi, "(1+2)*3/4-sin(pi/2)");
BENCHMARK_CAPTURE(compileAndEvaluate, squaredSine, "(1+2)*3/4-sin(0.5)^2");
BENCHMARK_CAPTURE(compileAndEvaluate, variables, "a*x^2+b*x+c");

static void evaluateOnly(benchmark::State &state)
{
    MathsParser parser;
    parser.setExpression(QStringLiteral("(1+2)*3/4-sin(pi/2)"));
    for (auto _ : state)
        benchmark::DoNotOptimize(parser.value());
}
BENCHMARK(evaluateOnly);

BENCHMARK_MAIN();
