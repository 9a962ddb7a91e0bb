#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <string>

#include "common/number_text.h"

namespace {

struct Row {
    const char* name;
    double value;
    const char* plain;
    const char* signedText;
};

// The signed form is the program text with a blank for the plus sign; the
// program text itself is checked with the formula text.
TEST(NumberText, PlainAndSignedForms) {
    const Row rows[] = {
        {"zero", 0.0, "0", " 0"},
        {"negative zero reads as zero", -0.0, "0", " 0"},
        {"half", 0.5, "0.5", " .5"},
        {"minus half", -0.5, "-0.5", "-.5"},
        {"whole", 12.0, "12", " 12"},
        {"minus whole", -12.0, "-12", "-12"},
        {"fifteen digits", 2 * 3.14159265358979, "6.28318530717958", " 6.28318530717958"},
        {"third", 1.0 / 3.0, "0.333333333333333", " .333333333333333"},
        {"large exponent", 1e16, "1E+16", " 1E+16"},
        {"small exponent", 1.5e-7, "1.5E-07", " 1.5E-07"},
        {"just below the exponent switch", 123456789012345.0, "123456789012345", " 123456789012345"},
        {"rounded to fifteen digits", 1234567890123456.0, "1.23456789012346E+15", " 1.23456789012346E+15"},
        {"below one thousandth", 0.0001, "0.0001", " .0001"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(numerelle::numberText(row.value), row.plain);
        EXPECT_EQ(numerelle::signedNumberText(row.value), row.signedText);
    }
}

struct ReadRow {
    const char* name;
    const char* text;
    double value;
    std::size_t used;
};

// strtod in the C locale is the reference; the rows name the cases that differ
// in form from a plain decimal.
const ReadRow kReadRows[] = {
    {"blanks and plus", " \t+12", 12, 5},
    {"point first", ".5", 0.5, 2},
    {"exponent", "-1.5E-07", -1.5e-7, 8},
    {"exponent without digits stops before it", "1e", 1, 1},
    {"comma is not a point", "1,5", 1, 1},
    {"hexadecimal", "0x1.8p1", 3, 7},
    {"lone 0x is a zero", "0x", 0, 1},
    {"infinity", "INF", std::numeric_limits<double>::infinity(), 3},
    {"too large", "1e999", std::numeric_limits<double>::infinity(), 5},
    {"too large by digits", "-1000000000000000000000000000000e300", -std::numeric_limits<double>::infinity(), 36},
    {"too small", "1e-999", 0, 6},
    {"too small by digits", "0.0000000000000000000000000000001e-300", 0, 38},
    {"hexadecimal too large", "0x1p99999", std::numeric_limits<double>::infinity(), 9},
    {"no number", "abc", 0, 0},
    {"sign only", "-", 0, 0},
};

TEST(NumberText, ReadsAsCLibraryInCLocale) {
    const std::string saved = std::setlocale(LC_NUMERIC, nullptr);
    std::setlocale(LC_NUMERIC, "C");
    for (const ReadRow& row : kReadRows) {
        SCOPED_TRACE(row.name);
        std::size_t used = 99;
        const double value = numerelle::numberFromText(row.text, &used);
        EXPECT_EQ(value, row.value);
        EXPECT_EQ(used, row.used);
        char* end = nullptr;
        EXPECT_EQ(value, std::strtod(row.text, &end));
        EXPECT_EQ(used, static_cast<std::size_t>(end - row.text));
    }
    std::setlocale(LC_NUMERIC, saved.c_str());
}

// The program may be a guest in a process whose numeric locale writes a
// decimal comma (Qt adopts the user's): number text must not follow it.
class CommaLocale : public ::testing::Test {
protected:
    void SetUp() override {
        saved_ = std::setlocale(LC_NUMERIC, nullptr);
        for (const char* name : {"de_DE.UTF-8", "fr_FR.UTF-8", "de_DE.utf8", "fr_FR.utf8", "de_DE", "fr_FR"})
            if (std::setlocale(LC_NUMERIC, name)) return;
        GTEST_SKIP() << "no decimal-comma locale is installed";
    }
    void TearDown() override { std::setlocale(LC_NUMERIC, saved_.c_str()); }

private:
    std::string saved_;
};

TEST_F(CommaLocale, WritesAndReadsAPoint) {
    char probe[16];
    std::snprintf(probe, sizeof probe, "%.1f", 0.5);
    ASSERT_STREQ(probe, "0,5");  // the locale really writes a comma
    for (const Row& row : {Row{"half", 0.5, "0.5", " .5"}, Row{"small exponent", -1.5e-7, "-1.5E-07", "-1.5E-07"}}) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(numerelle::numberText(row.value), row.plain);
        EXPECT_EQ(numerelle::signedNumberText(row.value), row.signedText);
        EXPECT_EQ(numerelle::numberFromText(row.plain), row.value);
    }
    EXPECT_EQ(numerelle::numberTextWithDigits(2.0 / 3.0, 7), "0.6666667");
    for (const ReadRow& row : kReadRows) {
        SCOPED_TRACE(row.name);
        std::size_t used = 0;
        EXPECT_EQ(numerelle::numberFromText(row.text, &used), row.value);
        EXPECT_EQ(used, row.used);
    }
}

}  // namespace
