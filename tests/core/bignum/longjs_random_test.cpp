// Randomised cross-checks of the signed decimal pages against the plain
// schoolbook reference: fraction alignment, signs, carries and borrows
// across limb boundaries, and the shape of the normal form. The checks are
// the decimal fuzz target's; here they run over generated texts in every build.
#include <gtest/gtest.h>

#include <random>
#include <string>

#include "tests/fuzz/targets/decimal_checks.h"

namespace {

// Decimal texts with runs of 9s and 0s, so carries and borrows cross many
// limbs, and with fractions of unequal lengths.
std::string randomDecimal(std::mt19937_64& random) {
    std::uniform_int_distribution<int> length(0, 60), kind(0, 3), digit(0, 9);
    std::string text;
    if (kind(random) == 0) text += '-';
    const int whole = length(random), fraction = kind(random) == 0 ? 0 : length(random) / 2;
    const char fill = kind(random) == 0 ? '9' : (kind(random) == 0 ? '0' : 'r');
    auto next = [&] { return fill == 'r' ? static_cast<char>('0' + digit(random)) : fill; };
    for (int i = 0; i < whole; ++i) text += next();
    if (fraction > 0 || kind(random) == 0) text += '.';
    for (int i = 0; i < fraction; ++i) text += next();
    if (text.empty() || text == "-") text += '1';
    return text;
}

TEST(SignedDecimalPages, AgreeWithAPlainReference) {
    std::mt19937_64 random(20240611);
    for (int round = 0; round < 3000; ++round) {
        const std::string a = randomDecimal(random), b = randomDecimal(random);
        for (int action = 0; action <= 2; ++action) decimal_checks::checkAction(action, a, b);  // + - *
    }
}

}  // namespace
