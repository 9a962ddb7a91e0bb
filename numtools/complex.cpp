#include "numtools/complex.h"

#include <cmath>

#include "common/number_text.h"
#include "numtools/continued_fraction.h"

namespace numerelle::numtools {

namespace {

constexpr double pi = complexPagePi;

// A number written into a box and read back: 15 significant digits.
double throughBox(double value) {
    return numberFromText(numberText(value));
}

bool finite(double a, double b) {
    return std::isfinite(a) && std::isfinite(b);
}

}  // namespace

PolarForm polarForm(double x, double y) {
    const double modulus = std::pow(x * x + y * y, 0.5);
    if (modulus == 0) return {};
    double angle = 0;
    if (x > 0) angle = std::atan(y / x);
    else if (x == 0) angle = y > 0 ? pi / 2 : -pi / 2;
    else angle = y >= 0 ? std::atan(y / x) + pi : std::atan(y / x) - pi;
    return {modulus, roundTo15Places(angle)};
}

double radiansToUnit(double radians, ComplexAngleUnit unit) {
    switch (unit) {
        case ComplexAngleUnit::Degrees:
            return radians * 180 / pi;
        case ComplexAngleUnit::Gradians:
            return radians * 200 / pi;
        case ComplexAngleUnit::Radians:
            break;
    }
    return radians;
}

double unitToRadians(double angle, ComplexAngleUnit unit) {
    switch (unit) {
        case ComplexAngleUnit::Degrees:
            return angle / 180 * pi;
        case ComplexAngleUnit::Gradians:
            return angle / 200 * pi;
        case ComplexAngleUnit::Radians:
            break;
    }
    return angle;
}

double convertAngle(double v, ComplexAngleUnit from, ComplexAngleUnit to) {
    using U = ComplexAngleUnit;
    if (from == to) return v;
    if (from == U::Degrees) return to == U::Radians ? v / 180 * pi : v * 200 / 180;
    if (from == U::Radians) return to == U::Degrees ? v * 180 / pi : v * 200 / pi;
    return to == U::Degrees ? v / 200 * 180 : v / 200 * pi;
}

std::optional<double> boxValue(std::string_view text) {
    std::string trimmed(text);
    while (!trimmed.empty() && trimmed.back() == ' ') trimmed.pop_back();
    std::size_t start = 0;
    while (start < trimmed.size() && trimmed[start] == ' ') ++start;
    trimmed.erase(0, start);
    if (trimmed.empty()) return std::nullopt;
    const char first = trimmed[0];
    if (!(first == '-' || first == '+' || first == '.' || (first >= '0' && first <= '9'))) return std::nullopt;
    std::size_t used = 0;
    const double value = numberFromText(trimmed, &used);
    if (used != trimmed.size() || !std::isfinite(value)) return std::nullopt;
    return value;
}

void writeTrigonometricForm(ComplexResult& result, double x, double y, ComplexAngleUnit unit) {
    const PolarForm polar = polarForm(x, y);
    if (!std::isfinite(polar.modulus)) {
        result.failure = FailureKind::Overflow;
        return;
    }
    if (polar.modulus == 0) {
        result.modulus = result.angle = result.angleCopy = std::string("0");
        return;
    }
    result.modulus = numberText(polar.modulus);
    result.angle = result.angleCopy = numberText(radiansToUnit(polar.angle, unit));
}

ComplexResult complexArithmetic(ComplexOperation operation, double a1, double b1, double a2, double b2,
                                ComplexAngleUnit unit) {
    ComplexResult result;
    double x = 0;
    double y = 0;
    switch (operation) {
        case ComplexOperation::Add:
            x = a1 + a2;
            y = b1 + b2;
            break;
        case ComplexOperation::Subtract:
            x = a1 - a2;
            y = b1 - b2;
            break;
        case ComplexOperation::Multiply:
            x = a1 * a2 - b1 * b2;
            y = a1 * b2 + a2 * b1;
            break;
        case ComplexOperation::Divide: {
            const double denominator = a2 * a2 + b2 * b2;
            if (denominator == 0) {
                result.failure = FailureKind::DivisionByZero;
                return result;
            }
            x = (a1 * a2 + b1 * b2) / denominator;
            y = (a2 * b1 - a1 * b2) / denominator;
            break;
        }
    }
    if (!finite(x, y)) {
        result.failure = FailureKind::Overflow;
        return result;
    }
    result.real = numberText(x);
    result.imaginary = numberText(y);
    writeTrigonometricForm(result, x, y, unit);
    return result;
}

ComplexResult complexPower(double a, double b, double n, double k, ComplexAngleUnit unit) {
    ComplexResult result;
    const bool negative = n < 0;
    const Fraction exponent = expandContinuedFraction(std::fabs(n), fractionPageQuotients);
    if (!exponent.ok()) {
        result.failure = exponent.failure;
        return result;
    }
    const double numerator = exponent.numerator;
    const double denominator = exponent.denominator;

    const PolarForm polar = polarForm(a, b);
    if (!std::isfinite(polar.modulus)) {
        result.failure = FailureKind::Overflow;
        return result;
    }
    if (polar.modulus == 0) {
        result.real = result.imaginary = result.modulus = result.angle = result.angleCopy = std::string("0");
        return result;
    }
    const double modulus = std::pow(polar.modulus, numerator / denominator);
    if (!std::isfinite(modulus)) {
        result.failure = FailureKind::Overflow;
        return result;
    }
    // One full turn more than root number k needs; it only changes rounding.
    const double angle = (numerator * polar.angle + 2 * pi * (k + denominator - 1)) / denominator;
    if (!std::isfinite(angle)) {
        result.failure = FailureKind::Overflow;
        return result;
    }
    result.real = numberText(modulus * std::cos(angle));
    result.imaginary = numberText(modulus * std::sin(angle));

    double x = throughBox(modulus * std::cos(angle));
    double y = throughBox(modulus * std::sin(angle));
    if (negative) {
        const double square = x * x + y * y;
        if (!std::isfinite(square)) {
            result.failure = FailureKind::Overflow;
            return result;
        }
        if (square == 0) {
            result.failure = FailureKind::DivisionByZero;
            return result;
        }
        const double invertedX = x / square;
        const double invertedY = -y / square;
        result.real = numberText(invertedX);
        result.imaginary = numberText(invertedY);
        x = throughBox(invertedX);
        y = throughBox(invertedY);
    }
    writeTrigonometricForm(result, x, y, unit);
    return result;
}

TrigonometricTexts toTrigonometricTexts(double x, double y, ComplexAngleUnit unit) {
    const PolarForm polar = polarForm(x, y);
    if (polar.modulus == 0 || !std::isfinite(polar.modulus)) return {"0", "0", "0"};
    const std::string angle = numberText(radiansToUnit(polar.angle, unit));
    return {numberText(polar.modulus), angle, angle};
}

AlgebraicTexts toAlgebraicTexts(double modulus, double angle, ComplexAngleUnit unit) {
    const double radians = unitToRadians(angle, unit);
    return {numberText(modulus * std::cos(radians)), numberText(modulus * std::sin(radians))};
}

}  // namespace numerelle::numtools
