#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <random>
#include <string>

#include "bignum/natural.h"
#include "tests/core/bignum/natural_reference.h"

namespace numerelle::bignum {
namespace {

// Digits with long runs of 9s and 0s, where carries and borrows travel far.
std::string randomNatural(std::mt19937_64& rng, std::size_t digits) {
    std::string s(digits, '0');
    std::size_t i = 0;
    while (i < digits) {
        std::size_t run = 1 + rng() % 40;
        int kind = static_cast<int>(rng() % 4);
        for (std::size_t k = 0; k < run && i < digits; ++k, ++i) {
            s[i] = kind == 0 ? '9' : kind == 1 ? '0' : static_cast<char>('0' + rng() % 10);
        }
    }
    s[0] = static_cast<char>('1' + rng() % 9);
    return s;
}

// Log-uniform lengths from 1 digit to about 30000.
std::size_t randomLength(std::mt19937_64& rng) {
    std::uniform_real_distribution<double> exponent(0.0, 4.5);
    return static_cast<std::size_t>(std::pow(10.0, exponent(rng)));
}

TEST(NaturalFuzz, ArithmeticAgreesWithTheReference) {
    std::mt19937_64 rng(20240601);
    WorkControl control;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(3);
    int rounds = 0;
    while (std::chrono::steady_clock::now() < deadline || rounds < 50) {
        ++rounds;
        std::string a = randomNatural(rng, randomLength(rng));
        std::string b = randomNatural(rng, randomLength(rng));
        SCOPED_TRACE("round " + std::to_string(rounds));
        const std::string sum = naturalAdd(a, b);
        ASSERT_EQ(sum, reference::add(a, b));
        ASSERT_EQ(naturalSubtract(sum, b), a);
        ASSERT_EQ(naturalCompare(sum, a), 1);
        ASSERT_EQ(naturalMultiply(a, b, control).value(), reference::multiply(a, b));
        const std::uint64_t small = rng() >> (rng() % 64);
        if (small > 0) {
            std::uint64_t rem = 0;
            const std::string q = naturalDivideSmall(a, small, &rem);
            ASSERT_EQ(naturalAdd(naturalMultiplySmall(q, small), std::to_string(rem)), a);
            ASSERT_EQ(naturalModSmall(a, small), rem);
        }
        if (a.size() < 40) {
            const auto e = static_cast<std::uint32_t>(rng() % 200);
            ASSERT_EQ(naturalPower(a, e, control).value(), reference::power(a, e));
        }
        if (a.size() < 25) {
            const auto m = static_cast<std::uint32_t>(rng() % 300);
            ASSERT_EQ(naturalBinomial(a, m, control).value(), reference::binomial(a, m));
            ASSERT_EQ(naturalFallingFactorial(a, m, control).value(), reference::falling(a, m));
        }
    }
}

}  // namespace
}  // namespace numerelle::bignum
