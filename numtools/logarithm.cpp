#include "numtools/logarithm.h"

#include <cmath>

namespace numerelle::numtools {

LogarithmInputCheck checkLogarithmInputs(double number, double base) {
    if (base == 1 || base == 0) return LogarithmInputCheck::ResetBase;
    if (number == 0) return LogarithmInputCheck::ResetNumber;
    return LogarithmInputCheck::Fine;
}

expr::Evaluation computeLogarithm(double number, double base, bool natural) {
    if (!std::isfinite(number) || !std::isfinite(base)) return {0, FailureKind::InvalidArgument};
    if (number <= 0) return {0, FailureKind::InvalidArgument};
    const double numerator = std::log(number);
    if (natural) return {numerator, FailureKind::None};
    if (base <= 0) return {0, FailureKind::InvalidArgument};
    const double denominator = std::log(base);
    if (denominator == 0) return {0, FailureKind::DivisionByZero};
    const double value = numerator / denominator;
    if (!std::isfinite(value)) return {0, FailureKind::Overflow};
    return {value, FailureKind::None};
}

}  // namespace numerelle::numtools
