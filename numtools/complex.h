#pragma once
// The complex-number page: the four operations, the power of Z1 with its
// roots, the trigonometric form of results and the conversions between the
// two input forms. Every number it writes is number text.
#include <optional>
#include <string>
#include <string_view>

#include "common/failure.h"

namespace numerelle::numtools {

// The page's pi: the double nearest to the 15-digit text, not to pi.
inline constexpr double complexPagePi = 3.14159265358979;

enum class ComplexAngleUnit { Degrees = 0, Radians = 1, Gradians = 2 };

// Modulus and argument (radians, -pi < theta <= pi, rounded to 15 places).
struct PolarForm {
    double modulus = 0;
    double angle = 0;
};
PolarForm polarForm(double x, double y);

double radiansToUnit(double radians, ComplexAngleUnit unit);
double unitToRadians(double angle, ComplexAngleUnit unit);
// An input angle rewritten when the unit option changes.
double convertAngle(double angle, ComplexAngleUnit from, ComplexAngleUnit to);

// The value of a box that holds a number and nothing else (blanks around it
// allowed); the operations refuse boxes holding anything else.
std::optional<double> boxValue(std::string_view text);

// The five result boxes: Text37 + Text38 i, Text39 (Cos Text40 + iSin Text41).
struct ComplexResult {
    std::optional<std::string> real, imaginary;            // Text37, Text38
    std::optional<std::string> modulus, angle, angleCopy;  // Text39, Text40, Text41
    FailureKind failure = FailureKind::None;               // shown in a message box
    bool ok() const { return failure == FailureKind::None; }
};

// The trigonometric form of x + yi in `unit` ("0" everywhere when x + yi = 0).
void writeTrigonometricForm(ComplexResult& result, double x, double y, ComplexAngleUnit unit);

enum class ComplexOperation { Add, Subtract, Multiply, Divide };
ComplexResult complexArithmetic(ComplexOperation operation, double a1, double b1, double a2, double b2,
                                ComplexAngleUnit unit);

// Z1 = a + bi to the power n; for a fractional n = N / D, root number k
// (k and k + D give the same root). Fields written before a failure keep
// their new texts.
ComplexResult complexPower(double a, double b, double n, double k, ComplexAngleUnit unit);

// The texts of the trigonometric input boxes (modulus, angle, angle copy)
// for the algebraic x + yi, and the texts of the algebraic boxes for a
// modulus and angle.
struct TrigonometricTexts {
    std::string modulus, angle, angleCopy;
    bool operator==(const TrigonometricTexts&) const = default;
};
TrigonometricTexts toTrigonometricTexts(double x, double y, ComplexAngleUnit unit);
struct AlgebraicTexts {
    std::string real, imaginary;
    bool operator==(const AlgebraicTexts&) const = default;
};
AlgebraicTexts toAlgebraicTexts(double modulus, double angle, ComplexAngleUnit unit);

}  // namespace numerelle::numtools
