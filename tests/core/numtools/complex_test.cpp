#include "numtools/complex.h"

#include "common/number_text.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <random>
#include <string>

namespace {

using namespace numerelle::numtools;
using Unit = ComplexAngleUnit;

// The operations, powers and angle units of results are rows of
// tests/cases/numtools.cases; here the form switches, the input angles and
// the boxes' values.
TEST(Complex, InputFormSwitches) {
    EXPECT_EQ(toTrigonometricTexts(1, 1, Unit::Degrees), (TrigonometricTexts{"1.4142135623731", "45", "45"}));
    EXPECT_EQ(toTrigonometricTexts(0, 0, Unit::Radians), (TrigonometricTexts{"0", "0", "0"}));
    // Back from the texts as the boxes hold them.
    EXPECT_EQ(toAlgebraicTexts(1.4142135623731, 45, Unit::Degrees), (AlgebraicTexts{"1", "1"}));
    EXPECT_EQ(toAlgebraicTexts(2, 100, Unit::Gradians).imaginary, "2");
    EXPECT_EQ(toAlgebraicTexts(3, 3.14159265358979, Unit::Radians).real, "-3");
}

TEST(Complex, UnitChangeOfInputAngles) {
    struct Row {
        const char* name;
        double v;
        Unit from, to;
        double expected;
    };
    const Row rows[] = {
        {"180 degrees", 180, Unit::Degrees, Unit::Radians, 3.14159265358979},
        {"90 degrees to gradians", 90, Unit::Degrees, Unit::Gradians, 100},
        {"pi to degrees", 3.14159265358979, Unit::Radians, Unit::Degrees, 180},
        {"pi to gradians", 3.14159265358979, Unit::Radians, Unit::Gradians, 200},
        {"gradians to degrees", 50, Unit::Gradians, Unit::Degrees, 45},
        {"gradians to radians", 200, Unit::Gradians, Unit::Radians, 3.14159265358979},
        {"same unit", 12.5, Unit::Gradians, Unit::Gradians, 12.5},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_DOUBLE_EQ(convertAngle(row.v, row.from, row.to), row.expected);
    }
}

TEST(Complex, BoxValue) {
    EXPECT_EQ(boxValue("12"), 12);
    EXPECT_EQ(boxValue("-0.5"), -0.5);
    EXPECT_EQ(boxValue(" .5"), 0.5);
    EXPECT_EQ(boxValue("1E+16"), 1e16);
    EXPECT_EQ(boxValue(""), std::nullopt);
    EXPECT_EQ(boxValue("1/0"), std::nullopt);
    EXPECT_EQ(boxValue("abc"), std::nullopt);
    EXPECT_EQ(boxValue("inf"), std::nullopt);
}

double valueOf(const std::optional<std::string>& text) {
    return numerelle::numberFromText(*text);
}

// A whole power must agree with repeated multiplication, and the D roots of
// a fractional power raised back to the D-th power must give Z1 again.
TEST(Complex, PowersAgreeWithMultiplication) {
    std::mt19937 random(77);
    std::uniform_real_distribution<double> part(-3, 3);
    for (int i = 0; i < 300; ++i) {
        const double a = part(random);
        const double b = part(random);
        SCOPED_TRACE(std::to_string(a) + " + " + std::to_string(b) + "i");
        double x = a;
        double y = b;
        for (int n = 2; n <= 4; ++n) {
            const ComplexResult product = complexArithmetic(ComplexOperation::Multiply, x, y, a, b, Unit::Degrees);
            x = valueOf(product.real);
            y = valueOf(product.imaginary);
            const ComplexResult power = complexPower(a, b, n, 1, Unit::Degrees);
            const double scale = std::pow(std::hypot(a, b), n);
            EXPECT_NEAR(valueOf(power.real), x, 1e-12 * std::max(1.0, scale));
            EXPECT_NEAR(valueOf(power.imaginary), y, 1e-12 * std::max(1.0, scale));
        }
        for (int k = 1; k <= 3; ++k) {
            const ComplexResult root = complexPower(a, b, 1.0 / 3, k, Unit::Radians);
            const ComplexResult back = complexPower(valueOf(root.real), valueOf(root.imaginary), 3, 1, Unit::Radians);
            EXPECT_NEAR(valueOf(back.real), a, 1e-11);
            EXPECT_NEAR(valueOf(back.imaginary), b, 1e-11);
        }
    }
}

}  // namespace
