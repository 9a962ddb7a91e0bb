// The sum of SIN(x)*x^2+1 over x = 1 … 10^7 and its trapezoidal integral
// with 10^7 intervals, through the formula's decoded program, side by side
// with the very same loops evaluating muparser's bytecode and with the
// formula compiled natively (the floor for any interpreter).
#include <benchmark/benchmark.h>

#include <cmath>

#include "calculus/calculus.h"
#include "calculus/loops.h"

#ifdef NUMERELLE_HAVE_MUPARSER
#include <muParser.h>
#endif

namespace {

using numerelle::WorkControl;
using numerelle::calculus::Accumulation;
using numerelle::calculus::Result;
using numerelle::expr::Evaluation;

constexpr double points = 1e7;
constexpr const char* formula = "SIN(x)*x^2+1";

void report(benchmark::State& state, const Result& result, double evaluations) {
    if (!result.hasValue()) state.SkipWithError("no value");
    state.counters["value"] = result.value;
    // seconds per point, shown with an SI prefix (n for nanoseconds)
    state.counters["per_point"] = benchmark::Counter(evaluations * static_cast<double>(state.iterations()),
                                                     benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

void SumNumerelle(benchmark::State& state) {
    const numerelle::expr::DecodedProgram decoded = numerelle::expr::prepareFormulaInX(formula);
    Result result;
    for (auto _ : state) {
        WorkControl control;
        result = numerelle::calculus::sumOverRange(decoded, 1, points, control);
        benchmark::DoNotOptimize(result);
    }
    report(state, result, points);
}

void IntegralNumerelle(benchmark::State& state) {
    const numerelle::expr::DecodedProgram decoded = numerelle::expr::prepareFormulaInX(formula);
    Result result;
    for (auto _ : state) {
        WorkControl control;
        result = numerelle::calculus::trapezoidIntegral(decoded, 0, 10, points, control);
        benchmark::DoNotOptimize(result);
    }
    report(state, result, points + 1);
}

struct Native {
    Evaluation operator()(double x) const { return {std::sin(x) * x * x + 1, numerelle::FailureKind::None}; }
};

void SumNative(benchmark::State& state) {
    Result result;
    for (auto _ : state) {
        WorkControl control;
        result = numerelle::calculus::accumulateOverRange(Native{}, 1, points, Accumulation::Sum, control);
        benchmark::DoNotOptimize(result);
    }
    report(state, result, points);
}

void IntegralNative(benchmark::State& state) {
    Result result;
    for (auto _ : state) {
        WorkControl control;
        result = numerelle::calculus::integrateTrapezoids(Native{}, 0, 10, points, control);
        benchmark::DoNotOptimize(result);
    }
    report(state, result, points + 1);
}

#ifdef NUMERELLE_HAVE_MUPARSER
// muparser evaluates its bytecode with the variable bound by address.
struct Muparser {
    mu::Parser parser;
    double x = 0;
    Muparser() {
        parser.DefineVar("x", &x);
        parser.SetExpr("sin(x)*x^2+1");
        parser.Eval();  // the first evaluation builds the bytecode
    }
    Evaluation operator()(double at) {
        x = at;
        return Evaluation{parser.Eval(), numerelle::FailureKind::None};
    }
};

void SumMuparser(benchmark::State& state) {
    Muparser mp;
    const auto point = [&mp](double x) { return mp(x); };
    Result result;
    for (auto _ : state) {
        WorkControl control;
        result = numerelle::calculus::accumulateOverRange(point, 1, points, Accumulation::Sum, control);
        benchmark::DoNotOptimize(result);
    }
    report(state, result, points);
}

void IntegralMuparser(benchmark::State& state) {
    Muparser mp;
    const auto point = [&mp](double x) { return mp(x); };
    Result result;
    for (auto _ : state) {
        WorkControl control;
        result = numerelle::calculus::integrateTrapezoids(point, 0, 10, points, control);
        benchmark::DoNotOptimize(result);
    }
    report(state, result, points + 1);
}
#endif

}  // namespace

BENCHMARK(SumNumerelle)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(SumNative)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(IntegralNumerelle)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(IntegralNative)->Unit(benchmark::kMillisecond)->Iterations(3);
#ifdef NUMERELLE_HAVE_MUPARSER
BENCHMARK(SumMuparser)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(IntegralMuparser)->Unit(benchmark::kMillisecond)->Iterations(3);
#endif

BENCHMARK_MAIN();
