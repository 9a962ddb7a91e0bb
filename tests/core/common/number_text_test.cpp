#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "common/number_text.h"

namespace {

struct Row {
    const char* name;
    double value;
    const char* plain;
    const char* signedText;
};

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

TEST(NumberText, ProgramTextDropsOnlyTheLeadingZero) {
    EXPECT_EQ(numerelle::programNumberText(0.5), ".5");
    EXPECT_EQ(numerelle::programNumberText(-0.25), "-.25");
    EXPECT_EQ(numerelle::programNumberText(10.5), "10.5");
    EXPECT_EQ(numerelle::programNumberText(0), "0");
}

}  // namespace
