// The natural-number engine beside GMP on five long works. Every timing
// includes reading the operands from decimal text and writing the whole
// decimal text of the result.
#include <benchmark/benchmark.h>

#include <sys/resource.h>

#include <random>
#include <string>

#include "bignum/natural.h"
#include "bignum/natural_limbs.h"

#ifdef NUMERELLE_HAVE_GMP
#include <gmp.h>
#endif

namespace {

using namespace numerelle;
using namespace numerelle::bignum;

std::string randomDigits(std::size_t n, std::uint64_t seed) {
    std::mt19937_64 rng(seed);
    std::string s(n, '0');
    for (auto& c : s) c = static_cast<char>('0' + rng() % 10);
    s[0] = static_cast<char>('1' + rng() % 9);
    return s;
}

const std::string& millionA() {
    static const std::string s = randomDigits(1000000, 1);
    return s;
}
const std::string& millionB() {
    static const std::string s = randomDigits(1000000, 2);
    return s;
}
const std::string& tenMillionA() {
    static const std::string s = randomDigits(10000000, 3);
    return s;
}
const std::string& tenMillionB() {
    static const std::string s = randomDigits(10000000, 4);
    return s;
}

void Ours_Factorial99999(benchmark::State& state) {
    WorkControl control;
    for (auto _ : state) benchmark::DoNotOptimize(naturalFactorial(99999, control));
}
void Ours_Product1e6Digits(benchmark::State& state) {
    WorkControl control;
    for (auto _ : state) benchmark::DoNotOptimize(naturalMultiply(millionA(), millionB(), control));
}
void Ours_Power7To1e6(benchmark::State& state) {
    WorkControl control;
    for (auto _ : state) benchmark::DoNotOptimize(naturalPower("7", 1000000, control));
}
void Ours_Binomial100000Over50000(benchmark::State& state) {
    WorkControl control;
    for (auto _ : state) benchmark::DoNotOptimize(naturalBinomial("100000", 50000, control));
}
// Peak resident memory of the whole process so far, in MiB: run this
// benchmark on its own (--benchmark_filter=Ours_Sum) to read the peak of the
// sum beside the 20 MB of its two operand texts.
double peakMiB() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

void Ours_Sum1e7Digits(benchmark::State& state) {
    for (auto _ : state) benchmark::DoNotOptimize(naturalAdd(tenMillionA(), tenMillionB()));
    state.counters["peak_MiB"] = peakMiB();
}

// Where the multiplication switches algorithm: n x n limbs by each method.
void Limbs_Schoolbook(benchmark::State& state) {
    const auto n = static_cast<std::size_t>(state.range(0));
    const limbs::Limbs a = limbs::fromDecimal(randomDigits(9 * n, 5)), b = limbs::fromDecimal(randomDigits(9 * n, 6));
    for (auto _ : state) benchmark::DoNotOptimize(limbs::multiply(a, b, limbs::MulAlgorithm::Schoolbook));
}
void Limbs_Karatsuba(benchmark::State& state) {
    const auto n = static_cast<std::size_t>(state.range(0));
    const limbs::Limbs a = limbs::fromDecimal(randomDigits(9 * n, 5)), b = limbs::fromDecimal(randomDigits(9 * n, 6));
    for (auto _ : state) benchmark::DoNotOptimize(limbs::multiply(a, b, limbs::MulAlgorithm::Karatsuba));
}
void Limbs_Transform(benchmark::State& state) {
    const auto n = static_cast<std::size_t>(state.range(0));
    const limbs::Limbs a = limbs::fromDecimal(randomDigits(9 * n, 5)), b = limbs::fromDecimal(randomDigits(9 * n, 6));
    for (auto _ : state) benchmark::DoNotOptimize(limbs::multiply(a, b, limbs::MulAlgorithm::Transform));
}
BENCHMARK(Limbs_Schoolbook)->Arg(16)->Arg(32)->Arg(48)->Arg(64)->Arg(96)->Arg(128)->Arg(200)->Arg(300);
BENCHMARK(Limbs_Karatsuba)->Arg(48)->Arg(64)->Arg(96)->Arg(128)->Arg(200)->Arg(300)->Arg(500)->Arg(1000)->Arg(2000);
BENCHMARK(Limbs_Transform)->Arg(64)->Arg(96)->Arg(128)->Arg(200)->Arg(300)->Arg(500)->Arg(1000)->Arg(2000);

BENCHMARK(Ours_Factorial99999)->Unit(benchmark::kMillisecond);
BENCHMARK(Ours_Product1e6Digits)->Unit(benchmark::kMillisecond);
BENCHMARK(Ours_Power7To1e6)->Unit(benchmark::kMillisecond);
BENCHMARK(Ours_Binomial100000Over50000)->Unit(benchmark::kMillisecond);
BENCHMARK(Ours_Sum1e7Digits)->Unit(benchmark::kMillisecond);

#ifdef NUMERELLE_HAVE_GMP
std::string gmpText(const mpz_t x) {
    std::string s(mpz_sizeinbase(x, 10) + 2, '\0');
    mpz_get_str(s.data(), 10, x);
    s.resize(std::char_traits<char>::length(s.c_str()));
    return s;
}

void Gmp_Factorial99999(benchmark::State& state) {
    for (auto _ : state) {
        mpz_t r;
        mpz_init(r);
        mpz_fac_ui(r, 99999);
        benchmark::DoNotOptimize(gmpText(r));
        mpz_clear(r);
    }
}
void Gmp_Product1e6Digits(benchmark::State& state) {
    for (auto _ : state) {
        mpz_t a, b, r;
        mpz_inits(a, b, r, nullptr);
        mpz_set_str(a, millionA().c_str(), 10);
        mpz_set_str(b, millionB().c_str(), 10);
        mpz_mul(r, a, b);
        benchmark::DoNotOptimize(gmpText(r));
        mpz_clears(a, b, r, nullptr);
    }
}
void Gmp_Power7To1e6(benchmark::State& state) {
    for (auto _ : state) {
        mpz_t r;
        mpz_init(r);
        mpz_ui_pow_ui(r, 7, 1000000);
        benchmark::DoNotOptimize(gmpText(r));
        mpz_clear(r);
    }
}
void Gmp_Binomial100000Over50000(benchmark::State& state) {
    for (auto _ : state) {
        mpz_t r;
        mpz_init(r);
        mpz_bin_uiui(r, 100000, 50000);
        benchmark::DoNotOptimize(gmpText(r));
        mpz_clear(r);
    }
}
void Gmp_Sum1e7Digits(benchmark::State& state) {
    for (auto _ : state) {
        mpz_t a, b, r;
        mpz_inits(a, b, r, nullptr);
        mpz_set_str(a, tenMillionA().c_str(), 10);
        mpz_set_str(b, tenMillionB().c_str(), 10);
        mpz_add(r, a, b);
        benchmark::DoNotOptimize(gmpText(r));
        mpz_clears(a, b, r, nullptr);
    }
}

BENCHMARK(Gmp_Factorial99999)->Unit(benchmark::kMillisecond);
BENCHMARK(Gmp_Product1e6Digits)->Unit(benchmark::kMillisecond);
BENCHMARK(Gmp_Power7To1e6)->Unit(benchmark::kMillisecond);
BENCHMARK(Gmp_Binomial100000Over50000)->Unit(benchmark::kMillisecond);
BENCHMARK(Gmp_Sum1e7Digits)->Unit(benchmark::kMillisecond)->Iterations(3);
#endif

}  // namespace

BENCHMARK_MAIN();
