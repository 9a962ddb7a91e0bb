// Matrix timings: cofactor and LU determinants, a large linear system,
// eigenvalues of a dense matrix, roots of a degree-100 polynomial.
#include <benchmark/benchmark.h>

#include <random>

#include "matrix/jz1.h"

namespace {

using namespace numerelle::matrix;

Matrix randomMatrix(int n, unsigned seed) {
    std::mt19937 random(seed);
    std::uniform_real_distribution<double> value(-1, 1);
    Matrix m(n);
    for (int r = 1; r <= n; ++r)
        for (int c = 1; c <= n; ++c) m(r, c) = value(random);
    return m;
}

void cofactorDeterminantOrder10(benchmark::State& state) {
    const Matrix a = randomMatrix(10, 1);
    for (auto _ : state) benchmark::DoNotOptimize(cofactorDeterminant(a).value);
}
BENCHMARK(cofactorDeterminantOrder10)->Unit(benchmark::kMillisecond);

void luDeterminantOrder300(benchmark::State& state) {
    const Matrix a = randomMatrix(300, 2);
    for (auto _ : state) benchmark::DoNotOptimize(determinant(a).value);
}
BENCHMARK(luDeterminantOrder300)->Unit(benchmark::kMillisecond);

void linearSystem500(benchmark::State& state) {
    const Matrix a = randomMatrix(500, 3);
    const std::vector<double> b(500, 1.0);
    for (auto _ : state) benchmark::DoNotOptimize(solveLinearSystem(a, b).x.data());
}
BENCHMARK(linearSystem500)->Unit(benchmark::kMillisecond);

void eigenvaluesOrder200(benchmark::State& state) {
    const Matrix input = randomMatrix(200, 4);
    for (auto _ : state) {
        Matrix a = input;
        toHessenberg(a);
        benchmark::DoNotOptimize(hessenbergEigenvalues(a, 1e-15).real.data());
    }
}
BENCHMARK(eigenvaluesOrder200)->Unit(benchmark::kMillisecond);

void rootsDegree100(benchmark::State& state) {
    std::mt19937 random(5);
    std::uniform_real_distribution<double> value(-1, 1);
    std::vector<double> c(101);
    for (double& v : c) v = value(random);
    c[0] = 1;
    for (auto _ : state) benchmark::DoNotOptimize(polynomialRoots(c).roots.data());
}
BENCHMARK(rootsDegree100)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
