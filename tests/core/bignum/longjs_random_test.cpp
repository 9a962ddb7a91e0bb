// Randomised cross-checks of the signed decimal pages against the plain
// schoolbook reference: fraction alignment, signs, carries and borrows
// across limb boundaries, and the shape of the normal form.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "bignum/longjs.h"
#include "tests/core/bignum/natural_reference.h"

namespace nb = numerelle::bignum;
namespace reference = numerelle::bignum::reference;

namespace {

// A value as sign, digits of the whole scaled number and its count of
// fraction digits; canonical when neither leading nor fraction-trailing
// zeros remain and zero is unsigned.
struct Exact {
    bool negative = false;
    std::string digits = "0";
    std::size_t scale = 0;
};

std::string strip(std::string s) {
    const std::size_t first = s.find_first_not_of('0');
    return first == std::string::npos ? "0" : s.substr(first);
}

Exact canonical(Exact v) {
    v.digits = strip(v.digits);
    while (v.scale > 0 && v.digits.size() > 1 && v.digits.back() == '0') {
        v.digits.pop_back();
        --v.scale;
    }
    if (v.digits == "0") {
        v.scale = 0;
        v.negative = false;
    }
    return v;
}

bool operator==(const Exact& a, const Exact& b) {
    return a.negative == b.negative && a.digits == b.digits && a.scale == b.scale;
}

std::ostream& operator<<(std::ostream& out, const Exact& v) {
    return out << (v.negative ? "-" : "+") << v.digits << "e-" << v.scale;
}

// Reads what a result box shows: "- 3", "-.2", " .5", "21.", "0".
Exact parseShown(std::string text) {
    Exact v;
    if (!text.empty() && text[0] == '-') {
        v.negative = true;
        text.erase(0, 1);
    }
    if (!text.empty() && text[0] == ' ') text.erase(0, 1);
    const std::size_t point = text.find('.');
    if (point != std::string::npos) {
        v.scale = text.size() - point - 1;
        text.erase(point, 1);
    }
    v.digits = text.empty() ? "0" : text;
    return canonical(v);
}

bool lessMagnitude(const std::string& a, const std::string& b) {
    return a.size() != b.size() ? a.size() < b.size() : a < b;
}

Exact add(Exact a, Exact b) {
    const std::size_t scale = std::max(a.scale, b.scale);
    a.digits.append(scale - a.scale, '0');
    b.digits.append(scale - b.scale, '0');
    Exact r;
    r.scale = scale;
    a.digits = strip(a.digits);
    b.digits = strip(b.digits);
    if (a.negative != b.negative && lessMagnitude(a.digits, b.digits)) std::swap(a, b);
    r.negative = a.negative;
    r.digits = a.negative == b.negative ? reference::add(a.digits, b.digits) : reference::subtract(a.digits, b.digits);
    return canonical(r);
}

Exact multiply(const Exact& a, const Exact& b) {
    return canonical({a.negative != b.negative, reference::multiply(a.digits, b.digits), a.scale + b.scale});
}

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

// The shape of a normal form: no zero before the first significant digit
// (except a lone "0"), no trailing fraction zeros.
void expectNormalShape(const std::string& shown) {
    std::string body = shown;
    if (!body.empty() && body[0] == '-') body.erase(0, 1);
    if (!body.empty() && body[0] == ' ') body.erase(0, 1);
    ASSERT_FALSE(body.empty());
    if (body != "0") {
        EXPECT_NE(body[0], '0') << shown;
    }
    if (body.find('.') != std::string::npos && body.size() > 1) {
        EXPECT_NE(body.back(), '0') << shown;
    }
}

TEST(SignedDecimalPages, AgreeWithAPlainReference) {
    std::mt19937_64 random(20240611);
    numerelle::WorkControl control;
    for (int round = 0; round < 3000; ++round) {
        const std::string a = randomDecimal(random), b = randomDecimal(random);
        SCOPED_TRACE(a + " , " + b);
        const Exact x = parseShown(a), y = parseShown(b);
        Exact minusY = y;
        minusY.negative = !y.negative && y.digits != "0";

        const nb::PageOutcome sum = nb::computeSum(a, b);
        ASSERT_TRUE(sum.result.has_value());
        EXPECT_EQ(parseShown(*sum.result), add(x, y)) << *sum.result;
        expectNormalShape(*sum.result);

        const nb::PageOutcome difference = nb::computeDifference(a, b);
        ASSERT_TRUE(difference.result.has_value());
        EXPECT_EQ(parseShown(*difference.result), add(x, minusY)) << *difference.result;
        expectNormalShape(*difference.result);

        const nb::PageOutcome product = nb::computeProduct(a, b, control);
        ASSERT_TRUE(product.result.has_value());
        EXPECT_EQ(parseShown(*product.result), multiply(x, y)) << *product.result;
        expectNormalShape(*product.result);
    }
}

}  // namespace
