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

TEST(Complex, FourOperations) {
    struct Row {
        const char* name;
        ComplexOperation operation;
        double a1, b1, a2, b2;
        std::string real, imaginary, modulus, angle;
    };
    const Row rows[] = {
        {"sum", ComplexOperation::Add, 3, 4, 1, -2, "4", "2", "4.47213595499958", "26.565051177078"},
        {"difference", ComplexOperation::Subtract, 3, 4, 1, -2, "2", "6", "6.32455532033676", "71.5650511770781"},
        {"product", ComplexOperation::Multiply, 3, 4, 1, -2, "11", "-2", "11.1803398874989", "-10.304846468766"},
        {"quotient", ComplexOperation::Divide, 3, 4, 1, -2, "-1", "2", "2.23606797749979", "116.565051177078"},
        {"3 + 4i plus zero", ComplexOperation::Add, 3, 4, 0, 0, "3", "4", "5", "53.130102354156"},
        {"zero result", ComplexOperation::Subtract, 2, 3, 2, 3, "0", "0", "0", "0"},
        {"negative real axis", ComplexOperation::Add, -1, 0, 0, 0, "-1", "0", "1", "180"},
        {"lower half plane, x < 0", ComplexOperation::Add, -1, -1, 0, 0, "-1", "-1", "1.4142135623731", "-135"},
        {"negative imaginary axis", ComplexOperation::Add, 0, -2, 0, 0, "0", "-2", "2", "-90"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const ComplexResult out = complexArithmetic(row.operation, row.a1, row.b1, row.a2, row.b2, Unit::Degrees);
        ASSERT_TRUE(out.ok());
        EXPECT_EQ(out.real, row.real);
        EXPECT_EQ(out.imaginary, row.imaginary);
        EXPECT_EQ(out.modulus, row.modulus);
        EXPECT_EQ(out.angle, row.angle);
        EXPECT_EQ(out.angleCopy, row.angle);
    }
}

TEST(Complex, DivisionByZeroIsReportedNotShown) {
    const ComplexResult out = complexArithmetic(ComplexOperation::Divide, 1, 1, 0, 0, Unit::Degrees);
    EXPECT_EQ(out.failure, numerelle::FailureKind::DivisionByZero);
    EXPECT_FALSE(out.real);
    EXPECT_FALSE(out.modulus);
}

TEST(Complex, AngleUnitsOfResults) {
    struct Row {
        const char* name;
        double x, y;
        Unit unit;
        std::string angle;
    };
    const Row rows[] = {
        {"i in degrees", 0, 1, Unit::Degrees, "90"},
        {"i in gradians", 0, 1, Unit::Gradians, "100"},
        {"-1 in radians is the page's pi", -1, 0, Unit::Radians, "3.14159265358979"},
        {"-1 in gradians", -1, 0, Unit::Gradians, "200"},
        {"-i in radians", 0, -1, Unit::Radians, "-1.5707963267949"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        ComplexResult out;
        writeTrigonometricForm(out, row.x, row.y, row.unit);
        EXPECT_EQ(out.angle, row.angle);
    }
}

TEST(Complex, PowersAndRoots) {
    struct Row {
        const char* name;
        double a, b, n, k;
        const char* real;       // nullptr: not checked (a rounding residue)
        const char* imaginary;
    };
    const Row rows[] = {
        {"square of 5", 5, 0, 2, 1, "25", nullptr},
        {"square of 1 + i", 1, 1, 2, 1, nullptr, "2"},
        {"principal square root of -1", -1, 0, 0.5, 1, nullptr, "1"},
        {"second square root of -1", -1, 0, 0.5, 2, nullptr, "-1"},
        {"root number 3 is root number 1 again", -1, 0, 0.5, 3, nullptr, "1"},
        {"inverse of 2", 2, 0, -1, 1, "0.5", nullptr},
        {"inverse of i", 0, 1, -1, 1, nullptr, "-1"},
        {"cube root of 8", 8, 0, 1.0 / 3, 1, "2", nullptr},
        {"power 1.5 of 4 through the fraction 3/2", 4, 0, 1.5, 1, "8", nullptr},
        {"power 0 is 1", 3, 4, 0, 1, "1", nullptr},
        {"zero to any power", 0, 0, 2.5, 1, "0", "0"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const ComplexResult out = complexPower(row.a, row.b, row.n, row.k, Unit::Degrees);
        ASSERT_TRUE(out.ok());
        ASSERT_TRUE(out.real && out.imaginary && out.modulus && out.angle && out.angleCopy);
        if (row.real) {
            EXPECT_EQ(*out.real, row.real);
        }
        if (row.imaginary) {
            EXPECT_EQ(*out.imaginary, row.imaginary);
        }
    }
    const ComplexResult zero = complexPower(0, 0, 3, 1, Unit::Degrees);
    EXPECT_EQ(zero.modulus, "0");
    EXPECT_EQ(zero.angle, "0");
}

TEST(Complex, PowerOverflowIsAFailure) {
    const ComplexResult out = complexPower(1e10, 0, 40, 1, Unit::Degrees);
    EXPECT_EQ(out.failure, numerelle::FailureKind::Overflow);
    EXPECT_FALSE(out.real);
}

TEST(Complex, InputFormSwitches) {
    const TrigonometricTexts trig = toTrigonometricTexts(1, 1, Unit::Degrees);
    EXPECT_EQ(trig.modulus, "1.4142135623731");
    EXPECT_EQ(trig.angle, "45");
    EXPECT_EQ(trig.angleCopy, "45");
    // Back from the texts as the boxes hold them.
    const AlgebraicTexts back = toAlgebraicTexts(1.4142135623731, 45, Unit::Degrees);
    EXPECT_EQ(back.real, "1");
    EXPECT_EQ(back.imaginary, "1");

    const TrigonometricTexts zero = toTrigonometricTexts(0, 0, Unit::Radians);
    EXPECT_EQ(zero.modulus, "0");
    EXPECT_EQ(zero.angle, "0");
    const AlgebraicTexts grad = toAlgebraicTexts(2, 100, Unit::Gradians);
    EXPECT_EQ(grad.imaginary, "2");
    const AlgebraicTexts rad = toAlgebraicTexts(3, 3.14159265358979, Unit::Radians);
    EXPECT_EQ(rad.real, "-3");
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

}  // namespace

namespace {

double valueOf(const std::optional<std::string>& text) { return numerelle::numberFromText(*text); }

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
