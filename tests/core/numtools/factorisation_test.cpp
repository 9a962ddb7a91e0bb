#include "numtools/factorisation.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace {

// The result lines and the focus-loss rewrite are rows of
// tests/cases/numtools.cases, and so is the whole-number reader; here the
// number texts only a formula writes and the prime tests.
using namespace numerelle::numtools;
using u64 = std::uint64_t;
__extension__ typedef unsigned __int128 u128;

TEST(Factorisation, NumbersFromFormulas) {
    // Number texts written by the formula field rather than typed digits.
    struct Row {
        const char* name;
        std::string box;
        std::string expected;
        bool beep;
    };
    const Row rows[] = {
        {"above 10^16", "2E+16", "数太大了！", false},
        {"10^16 as number text", "1E+16",
         "1E+16= 2* 2* 2* 2* 2* 2* 2* 2* 2* 2* 2* 2* 2* 2* 2* 2* 5* 5* 5* 5* 5* 5* 5* 5* 5* 5* 5* 5* 5* 5* 5* 5",
         false},
        {"rounded 16-digit value", "1.23456789012346E+15", "1.23456789012346E+15= 2* 2* 5* 1753* 35213003141", false},
        {"negative, never rewritten", "-12", "Error" + numerelle::failureText(numerelle::FailureKind::InvalidArgument),
         true},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const FactorisationOutput out = factorisationText(row.box);
        EXPECT_EQ(out.text, row.expected);
        EXPECT_EQ(out.beep, row.beep);
    }
}

TEST(Factorisation, PrimalityAcrossTheWholeRange) {
    struct Row {
        const char* name;
        u64 n;
        bool prime;
    };
    const Row rows[] = {
        {"0", 0, false},
        {"1", 1, false},
        {"2", 2, true},
        {"61, last small prime", 61, true},
        {"61 squared", 3721, false},
        {"67 squared", 4489, false},
        {"Carmichael 561", 561, false},
        {"strong pseudoprime to base 2", 2047, false},
        {"strong pseudoprime to bases 2, 3, 5, 7", 3215031751ULL, false},
        {"strong pseudoprime to bases up to 23", 3825123056546413051ULL, false},
        {"2^61 - 1", 2305843009213693951ULL, true},
        {"largest 64-bit prime", 18446744073709551557ULL, true},
        {"square of the largest 32-bit prime", 18446744030759878681ULL, false},
        {"2^64 - 1", 18446744073709551615ULL, false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(isPrime(row.n), row.prime);
    }
    EXPECT_EQ(primeFactors(18446744030759878681ULL), (std::vector<u64>{4294967291ULL, 4294967291ULL}));
    EXPECT_EQ(primeFactors(3825123056546413051ULL), (std::vector<u64>{149491, 747451, 34233211}));
    // Powers of the first primes past the trial divisors go to the divisor search.
    EXPECT_EQ(primeFactors(406067677556641ULL), std::vector<u64>(8, 67));
    EXPECT_EQ(primeFactors(10828567056280801ULL), std::vector<u64>(8, 101));
}

// Independent primality check by trial division, for factors small enough.
bool primeByTrialDivision(u64 n) {
    if (n < 2) return false;
    for (u64 d = 2; d * d <= n; ++d)
        if (n % d == 0) return false;
    return true;
}

TEST(Factorisation, RandomNumbersMultiplyBack) {
    std::mt19937_64 random(20261206);
    std::uniform_int_distribution<u64> anyNumber(1, largestFactorisable);
    for (int i = 0; i < 3000; ++i) {
        // Mix uniform numbers with products of two numbers of similar size,
        // which are the hard cases for the divisor search.
        u64 n = anyNumber(random);
        if (i % 3 == 1) n = (random() % 100000000 + 2) * (random() % 100000000 + 2);
        SCOPED_TRACE(n);
        const std::vector<u64> factors = primeFactors(n);
        u128 product = 1;
        for (std::size_t k = 0; k < factors.size(); ++k) {
            product *= factors[k];
            if (k > 0) {
                EXPECT_LE(factors[k - 1], factors[k]);
            }
            if (factors[k] < 10'000'000'000ULL && i % 10 == 0) {
                EXPECT_TRUE(primeByTrialDivision(factors[k]));
            } else {
                EXPECT_TRUE(isPrime(factors[k]));
            }
        }
        EXPECT_EQ(product, static_cast<u128>(n));
    }
}

}  // namespace
