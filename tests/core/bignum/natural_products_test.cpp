#include <gtest/gtest.h>

#include <string>

#include "bignum/natural.h"
#include "bignum/natural_limbs.h"
#include "tests/core/bignum/natural_reference.h"

namespace numerelle::bignum {
namespace {

WorkControl control;
std::string fact(std::uint32_t n) {
    return naturalFactorial(n, control).value();
}
std::string pow(std::string_view b, std::uint32_t e) {
    return naturalPower(b, e, control).value();
}
std::string perm(std::string_view n, std::uint32_t m) {
    return naturalFallingFactorial(n, m, control).value();
}
std::string comb(std::string_view n, std::uint32_t m) {
    return naturalBinomial(n, m, control).value();
}
std::string mul(std::string_view a, std::string_view b) {
    return naturalMultiply(a, b, control).value();
}

TEST(NaturalProducts, FactorialMatchesReference) {
    const auto s = static_cast<std::uint32_t>(limbs::kSwingFactorialMin);
    // Both sides of the switch to swinging factorials, odd and even halvings.
    for (std::uint32_t n : {0u,  1u,   2u,    12u,   13u, 20u,   21u,       25u,   47u,       48u,
                            49u, 100u, 1000u, s - 1, s,   s + 1, 2 * s - 1, 2 * s, 2 * s + 1, 4 * s + 3}) {
        SCOPED_TRACE(n);
        EXPECT_EQ(fact(n), reference::factorial(n));
    }
}

TEST(NaturalProducts, FactorialRatiosAndLengths) {
    // n! / (n-1)! = n on sizes where the transform does the top products.
    for (std::uint32_t n : {4000u, 20001u, 99999u}) {
        SCOPED_TRACE(n);
        std::string big = fact(n);
        std::uint64_t rem = 1;
        EXPECT_EQ(naturalDivideSmall(big, n, &rem), fact(n - 1));
        EXPECT_EQ(rem, 0u);
        if (n == 99999) {
            EXPECT_EQ(big.size(), 456569u);
        }
    }
}

TEST(NaturalProducts, PowersFallingFactorialsAndBinomialsMatchReference) {
    using Fn = std::string (*)(std::string_view, std::uint32_t);
    const struct {
        const char* name;
        Fn engine, expected;
        std::string n;
        std::uint32_t m;
    } rows[] = {
        {"power: two", pow, reference::power, "2", 64},
        {"power: one digit, odd exponent", pow, reference::power, "7", 333},
        {"power: one limb", pow, reference::power, "999999999", 57},
        {"power: two limbs", pow, reference::power, "1000000000", 9},
        {"power: trailing zeros", pow, reference::power, "12500", 13},
        {"power: long base", pow, reference::power, "123456789012345678901234567890123", 40},
        {"power: nines", pow, reference::power, std::string(60, '9'), 31},
        {"power: exponent one", pow, reference::power, "987654321987654321", 1},
        {"power: one", pow, reference::power, "1", 1000},
        {"power: zero", pow, reference::power, "0", 5},
        {"power: zero to the zero", pow, reference::power, "0", 0},
        {"power: exponent zero", pow, reference::power, "12345", 0},
        {"falling: m zero", perm, reference::falling, "5", 0},
        {"falling: m above n", perm, reference::falling, "3", 5},
        {"falling: m equals n", perm, reference::falling, "30", 30},
        {"falling: small", perm, reference::falling, "1000000", 2},
        {"falling: 32-bit n", perm, reference::falling, "4294967295", 40},
        {"falling: 64-bit n", perm, reference::falling, "18446744073709551615", 25},
        {"falling: just past 64 bits", perm, reference::falling, "18446744073709551616", 25},
        {"falling: long n", perm, reference::falling, "1234567890123456789012345678901234567890", 60},
        {"falling: many factors", perm, reference::falling, "5000", 2500},
        {"binomial: m above n", comb, reference::binomial, "5", 7},
        {"binomial: m zero", comb, reference::binomial, "5", 0},
        {"binomial: m equals n", comb, reference::binomial, "5", 5},
        {"binomial: middle", comb, reference::binomial, "100", 50},
        {"binomial: sieve path", comb, reference::binomial, "3000", 1400},
        // 31^2 = 961: at n = 961 the prime 31 needs its full exponent sum,
        // below it the single carry (p^2 > n) decides.
        {"binomial: sieve path, n a prime's square", comb, reference::binomial, "961", 400},
        {"binomial: sieve path, n below a prime's square", comb, reference::binomial, "960", 123},
        {"binomial: block path, small m", comb, reference::binomial, "3000", 100},
        {"binomial: m near n", comb, reference::binomial, "3000", 2990},
        {"binomial: block path, 32-bit n", comb, reference::binomial, "4000000000", 30},
        {"binomial: block path, 64-bit n", comb, reference::binomial, "18446744073709551615", 40},
        {"binomial: beyond 64 bits", comb, reference::binomial, "18446744073709551616", 40},
        {"binomial: long n", comb, reference::binomial, "98765432109876543210987654321", 120},
        {"binomial: long n, many factors", comb, reference::binomial, "123456789012345678901234567890", 300},
        {"binomial: sieve path, m above n / 8", comb, reference::binomial, "2000", 300},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(row.engine(row.n, row.m), row.expected(row.n, row.m));
    }
}

TEST(NaturalProducts, PowerLaws) {
    // a^(b+c) = a^b a^c and (a^b)^c = a^(bc), on sizes that reach the transform.
    struct Row {
        std::string a;
        std::uint32_t b, c;
    } rows[] = {{"7", 40000, 21011}, {"123456789123", 1500, 2501}, {"31415926535897932384626", 700, 300}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.a);
        EXPECT_EQ(pow(row.a, row.b + row.c), mul(pow(row.a, row.b), pow(row.a, row.c)));
        EXPECT_EQ(pow(pow(row.a, row.b), 3), pow(row.a, 3 * row.b));
    }
    EXPECT_EQ(pow("7", 1000000).size(), 845099u);
}

TEST(NaturalProducts, BinomialIdentities) {
    // Symmetry and Pascal's rule across the switch between the sieve and the
    // block.
    const std::uint64_t r = limbs::kBinomialSieveRatio;
    for (std::uint64_t n : {std::uint64_t{64}, std::uint64_t{800}, std::uint64_t{100000}}) {
        const std::string ns = std::to_string(n);
        for (std::uint64_t m : {n / 2, n / r, n / r + 1, n / r - 1, std::uint64_t{3}}) {
            SCOPED_TRACE(ns + " choose " + std::to_string(m));
            const std::uint32_t m32 = static_cast<std::uint32_t>(m);
            const std::string c = comb(ns, m32);
            EXPECT_EQ(c, comb(ns, static_cast<std::uint32_t>(n - m)));
            EXPECT_EQ(c, naturalAdd(comb(std::to_string(n - 1), m32 - 1), comb(std::to_string(n - 1), m32)));
        }
    }
}

TEST(NaturalProducts, LongWorkReportsItsProgressToTheEnd) {
    WorkControl factorial, power, binomial;
    ASSERT_TRUE(naturalFactorial(30000, factorial).has_value());
    ASSERT_TRUE(naturalPower("3", 200000, power).has_value());
    ASSERT_TRUE(naturalBinomial("200000", 100000, binomial).has_value());
    EXPECT_EQ(factorial.progressPermille(), 1000);
    EXPECT_EQ(power.progressPermille(), 1000);
    EXPECT_EQ(binomial.progressPermille(), 1000);
}

TEST(NaturalProducts, CancelledWorkReturnsNothing) {
    WorkControl cancelled;
    cancelled.cancel();
    EXPECT_FALSE(naturalFactorial(50000, cancelled).has_value());
    EXPECT_FALSE(naturalPower("7", 100000, cancelled).has_value());
    EXPECT_FALSE(naturalBinomial("100000", 50000, cancelled).has_value());
    EXPECT_FALSE(naturalFallingFactorial("100000", 50000, cancelled).has_value());
}

}  // namespace
}  // namespace numerelle::bignum
