// Per-point cost of a prepared formula in x, the hot loop of sums and
// integrals, against muparser's bytecode on the same formulas when it is
// installed. Every iteration is one point, so the reported time is ns/point.
#include <benchmark/benchmark.h>

#include <cmath>

#include "expr/jxjs.h"

#ifdef NUMERELLE_HAVE_MUPARSER
#include <muParser.h>
#endif

namespace {

constexpr const char* sineFormula = "SIN(x)*x^2+1";
constexpr const char* tenOperators = "x^3-2*x^2+3*x/(x+1)-4*x";  // ^ - * ^ + * / + - *

void evaluateOurs(benchmark::State& state, const char* formula) {
    const numerelle::expr::DecodedProgram decoded = numerelle::expr::prepareFormulaInX(formula);
    double x = 0;
    double total = 0;
    for (auto _ : state) {
        const numerelle::expr::Evaluation value = numerelle::expr::evaluateFormulaAt(decoded, x);
        if (!value.ok()) state.SkipWithError("evaluation failed");
        total += value.value;
        x += 1e-6;
        if (x > 1) x = 0;
    }
    benchmark::DoNotOptimize(total);
}

void BM_Ours_SinTimesSquarePlusOne(benchmark::State& state) {
    evaluateOurs(state, sineFormula);
}
void BM_Ours_TenOperators(benchmark::State& state) {
    evaluateOurs(state, tenOperators);
}
BENCHMARK(BM_Ours_SinTimesSquarePlusOne);
BENCHMARK(BM_Ours_TenOperators);

// A point where x^3 overflows: the run stops at the power, its first step.
void BM_Ours_TenOperatorsOverflowing(benchmark::State& state) {
    const numerelle::expr::DecodedProgram decoded = numerelle::expr::prepareFormulaInX(tenOperators);
    double x = 1e200;
    for (auto _ : state) {
        benchmark::DoNotOptimize(x);
        const numerelle::expr::Evaluation value = numerelle::expr::evaluateFormulaAt(decoded, x);
        if (value.failure != numerelle::FailureKind::Overflow) state.SkipWithError("no overflow");
    }
}
BENCHMARK(BM_Ours_TenOperatorsOverflowing);

// The same formulas compiled by the C++ compiler: the floor.
void BM_Native_SinTimesSquarePlusOne(benchmark::State& state) {
    double x = 0, total = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(x);
        total += std::sin(x) * x * x + 1;
        x += 1e-6;
        if (x > 1) x = 0;
    }
    benchmark::DoNotOptimize(total);
}
BENCHMARK(BM_Native_SinTimesSquarePlusOne);

#ifdef NUMERELLE_HAVE_MUPARSER
void evaluateMuparser(benchmark::State& state, const char* formula) {
    double x = 0;
    double total = 0;
    mu::Parser parser;
    parser.DefineVar("x", &x);
    parser.SetExpr(formula);
    parser.Eval();  // the first call parses; later calls run the bytecode
    for (auto _ : state) {
        total += parser.Eval();
        x += 1e-6;
        if (x > 1) x = 0;
    }
    benchmark::DoNotOptimize(total);
}

void BM_Muparser_SinTimesSquarePlusOne(benchmark::State& state) {
    evaluateMuparser(state, "sin(x)*x^2+1");
}
void BM_Muparser_TenOperators(benchmark::State& state) {
    evaluateMuparser(state, tenOperators);
}
BENCHMARK(BM_Muparser_SinTimesSquarePlusOne);
BENCHMARK(BM_Muparser_TenOperators);
#endif

}  // namespace

BENCHMARK_MAIN();
