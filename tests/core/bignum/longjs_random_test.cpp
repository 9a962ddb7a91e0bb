// Randomised cross-checks of the signed decimal pages against a plain
// digit-by-digit reference: fraction alignment, signs, carries and borrows
// across limb boundaries, and the shape of the normal form.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "bignum/longjs.h"

namespace nb = numerelle::bignum;

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

Exact parseTyped(const std::string& text) { return parseShown(text); }

int compareMagnitude(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) return a.size() < b.size() ? -1 : 1;
    return a.compare(b) < 0 ? -1 : (a == b ? 0 : 1);
}

std::string addDigits(const std::string& a, const std::string& b) {
    std::string out;
    int carry = 0;
    for (std::size_t i = 0; i < std::max(a.size(), b.size()) || carry; ++i) {
        const int x = i < a.size() ? a[a.size() - 1 - i] - '0' : 0;
        const int y = i < b.size() ? b[b.size() - 1 - i] - '0' : 0;
        const int d = x + y + carry;
        out.push_back(static_cast<char>('0' + d % 10));
        carry = d / 10;
    }
    std::reverse(out.begin(), out.end());
    return strip(out);
}

std::string subtractDigits(const std::string& a, const std::string& b) {  // a >= b
    std::string out;
    int borrow = 0;
    for (std::size_t i = 0; i < a.size(); ++i) {
        int d = (a[a.size() - 1 - i] - '0') - (i < b.size() ? b[b.size() - 1 - i] - '0' : 0) - borrow;
        borrow = d < 0;
        if (d < 0) d += 10;
        out.push_back(static_cast<char>('0' + d));
    }
    std::reverse(out.begin(), out.end());
    return strip(out);
}

std::string multiplyDigits(const std::string& a, const std::string& b) {
    std::vector<int> z(a.size() + b.size(), 0);
    for (std::size_t i = 0; i < a.size(); ++i)
        for (std::size_t j = 0; j < b.size(); ++j) z[i + j + 1] += (a[i] - '0') * (b[j] - '0');
    for (std::size_t k = z.size() - 1; k > 0; --k) {
        z[k - 1] += z[k] / 10;
        z[k] %= 10;
    }
    std::string out;
    for (int d : z) out.push_back(static_cast<char>('0' + d));
    return strip(out);
}

Exact add(Exact a, Exact b) {
    const std::size_t scale = std::max(a.scale, b.scale);
    a.digits.append(scale - a.scale, '0');
    b.digits.append(scale - b.scale, '0');
    Exact r;
    r.scale = scale;
    if (a.negative == b.negative) {
        r.digits = addDigits(a.digits, b.digits);
        r.negative = a.negative;
    } else if (compareMagnitude(strip(a.digits), strip(b.digits)) >= 0) {
        r.digits = subtractDigits(strip(a.digits), strip(b.digits));
        r.negative = a.negative;
    } else {
        r.digits = subtractDigits(strip(b.digits), strip(a.digits));
        r.negative = b.negative;
    }
    return canonical(r);
}

Exact multiply(const Exact& a, const Exact& b) {
    return canonical({a.negative != b.negative, multiplyDigits(a.digits, b.digits), a.scale + b.scale});
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
        const Exact x = parseTyped(a), y = parseTyped(b);
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
