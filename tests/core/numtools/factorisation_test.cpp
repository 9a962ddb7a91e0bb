#include "numtools/factorisation.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace {

using namespace numerelle::numtools;
using u64 = std::uint64_t;
__extension__ typedef unsigned __int128 u128;

std::string repeated(const std::string& factor, int count) {
    std::string out;
    for (int i = 0; i < count; ++i) out += (i ? "* " : " ") + factor;
    return out;
}

TEST(Factorisation, ResultLines) {
    struct Row {
        const char* name;
        std::string box;
        std::string expected;
    };
    const Row rows[] = {
        {"zero", "0", "有听过0也能分解的吗？"},
        {"one", "1", "1= 1"},
        {"twelve", "12", "12= 2* 2* 3"},
        {"ten to the sixteenth is accepted", "10000000000000000",
         "10000000000000000=" + repeated("2", 16) + "*" + repeated("5", 16)},
        {"largest prime below 10^16 keeps its digits", "9999999999999937", "9999999999999937= 9999999999999937"},
        {"sixteen digits, not rounded", "1234567890123456",
         "1234567890123456= 2* 2* 2* 2* 2* 2* 3* 7* 7* 301319* 435503"},
        {"two eight-digit primes", "9999999599999923", "9999999599999923= 99999989* 100000007"},
        {"2^53 - 1", "9007199254740991", "9007199254740991= 6361* 69431* 20394401"},
        {"odd above 2^53", "9999999999999999", "9999999999999999= 3* 3* 11* 17* 73* 101* 137* 5882353"},
        {"prime times a large prime", "9999999699999923", "9999999699999923= 113* 88495572566371"},
        {"square of a prime", "9999997800000121", "9999997800000121= 99999989* 99999989"},
        {"one above 10^16 does not round down to it", "10000000000000001", "数太大了！"},
        {"many digits", "123456789012345678901234567890", "数太大了！"},
        {"leading zeros", "0000000000000000012", "0000000000000000012= 2* 2* 3"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(factorisationText(row.box).text, row.expected);
    }
}

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
        {"10^16 as number text", "1E+16", "1E+16=" + repeated("2", 16) + "*" + repeated("5", 16), false},
        {"rounded 16-digit value", "1.23456789012346E+15",
         "1.23456789012346E+15= 2* 2* 5* 1753* 35213003141", false},
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

TEST(Factorisation, FocusLossRewrite) {
    struct Row {
        const char* name;
        std::string typed;
        std::string expected;
    };
    const Row rows[] = {
        {"sixteen digits stay", "9999999999999937", "9999999999999937"},
        {"10^16 stays in digits", "10000000000000000", "10000000000000000"},
        {"leading zeros dropped", "0012", "12"},
        {"blanks around digits", " 97 ", "97"},
        {"negative fraction rounds half up then loses its sign", "-12.6", "13"},
        {"half rounds up", "2.5", "3"},
        {"formula", "3*4", "12"},
        {"formula above 2^52 keeps every digit", "2^53-1", "9007199254740991"},
        {"formula up to 10^16 in digits", "10^16", "10000000000000000"},
        {"formula above 10^16 keeps number text", "2*10^16", "2E+16"},
        {"seventeen digits stay", "20000000000000000", "20000000000000000"},
        {"one above 10^16 stays", "10000000000000001", "10000000000000001"},
        {"zeros only", "000", "0"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const FactorisationInput out = rewriteFactorisationInput(row.typed);
        EXPECT_EQ(out.failure, numerelle::FailureKind::None);
        EXPECT_EQ(out.text, row.expected);
    }
    const FactorisationInput failed = rewriteFactorisationInput("1/0");
    EXPECT_NE(failed.failure, numerelle::FailureKind::None);
    EXPECT_EQ(failed.text, "1/0");
}

TEST(Factorisation, ExactWholeNumber) {
    EXPECT_EQ(exactWholeNumber("10000000000000000"), largestFactorisable);
    EXPECT_EQ(exactWholeNumber("10000000000000001"), std::nullopt);
    EXPECT_EQ(exactWholeNumber("99999999999999999999999"), std::nullopt);  // no wrap-around
    EXPECT_EQ(exactWholeNumber(""), std::nullopt);
    EXPECT_EQ(exactWholeNumber("1e5"), std::nullopt);
    EXPECT_EQ(exactWholeNumber("-5"), std::nullopt);
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
