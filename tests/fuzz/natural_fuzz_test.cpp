#include <gtest/gtest.h>

#include <random>
#include <string>

#include "bignum/natural.h"

namespace numerelle::bignum {
namespace {

std::string randomNatural(std::mt19937_64& rng, std::size_t digits) {
    std::string s(digits, '0');
    for (auto& ch : s) ch = static_cast<char>('0' + rng() % 10);
    s[0] = static_cast<char>('1' + rng() % 9);
    return s;
}

// (a + b) - b == a and a * b / small round trips, on random sizes.
TEST(NaturalFuzz, AddSubtractRoundTrip) {
    std::mt19937_64 rng(20240601);
    for (int round = 0; round < 300; ++round) {
        std::string a = randomNatural(rng, 1 + rng() % 200);
        std::string b = randomNatural(rng, 1 + rng() % 200);
        std::string sum = naturalAdd(a, b);
        ASSERT_EQ(naturalSubtract(sum, b), a);
        ASSERT_EQ(naturalSubtract(sum, a), b);
    }
}

}  // namespace
}  // namespace numerelle::bignum
