// Prime factorisation inside the process: the exact 64-bit method on the
// hardest inputs up to 10^16 (large primes, products of two 8-digit primes,
// 2^53 - 1), and trial division in doubles on one of them for comparison.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdint>
#include <string>

#include "numtools/factorisation.h"

namespace {

using numerelle::numtools::factorisationText;
using numerelle::numtools::primeFactors;

void exactFactors(benchmark::State& state, std::uint64_t n) {
    for (auto _ : state) benchmark::DoNotOptimize(primeFactors(n));
}

void resultLine(benchmark::State& state, const std::string& box) {
    for (auto _ : state) benchmark::DoNotOptimize(factorisationText(box));
}

// The old way: odd trial divisors in doubles, restarting at 3 after each
// factor found.
void trialDivisionInDoubles(benchmark::State& state, double v) {
    for (auto _ : state) {
        double n = v;
        double largest = 0;
        while (n != 1) {
            double f = n;
            if (std::floor(n / 2) == n / 2) {
                f = 2;
            } else {
                const double limit = std::floor(std::pow(n, 0.5));
                for (double i = 3; i <= limit; i += 2) {
                    if (std::floor(n / i) == n / i) {
                        f = i;
                        break;
                    }
                }
            }
            largest = f;
            n = n / f;
        }
        benchmark::DoNotOptimize(largest);
    }
}

BENCHMARK_CAPTURE(exactFactors, prime_9999999999999937, 9999999999999937ULL)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(exactFactors, prime_9999999999999917, 9999999999999917ULL)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(exactFactors, semiprime_99999989x100000007, 9999999599999923ULL)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(exactFactors, square_99999989x99999989, 9999997800000121ULL)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(exactFactors, two_pow_53_minus_1, 9007199254740991ULL)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(exactFactors, ten_pow_16, 10000000000000000ULL)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(resultLine, semiprime_99999989x100000007, std::string("9999999599999923"))
    ->Unit(benchmark::kMicrosecond);
// 99999989 x 100000007 lies above 2^53 and is not even a double; the
// largest prime below 2^53 stands in for it.
BENCHMARK_CAPTURE(exactFactors, prime_9007199254740881, 9007199254740881ULL)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(trialDivisionInDoubles, prime_9007199254740881, 9007199254740881.0)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);

}  // namespace

BENCHMARK_MAIN();
