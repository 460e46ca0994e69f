// Compile and evaluate one typical line of arithmetic, as Enter does.
#include "calc/MathsParser.h"

#include <benchmark/benchmark.h>

static void compileAndEvaluate(benchmark::State &state)
{
    MathsParser parser;
    const QString expression = QStringLiteral("(1+2)*3/4-sin(pi/2)");
    for (auto _ : state) {
        parser.setExpression(expression);
        benchmark::DoNotOptimize(parser.value());
    }
}
BENCHMARK(compileAndEvaluate);

static void evaluateOnly(benchmark::State &state)
{
    MathsParser parser;
    parser.setExpression(QStringLiteral("(1+2)*3/4-sin(pi/2)"));
    for (auto _ : state)
        benchmark::DoNotOptimize(parser.value());
}
BENCHMARK(evaluateOnly);

BENCHMARK_MAIN();
