#include "numtools/angles.h"

#include <cmath>

namespace numerelle::numtools {

namespace {
expr::Evaluation finiteOrOverflow(double value) {
    if (!std::isfinite(value)) return {0, FailureKind::Overflow};
    return {value, FailureKind::None};
}
}  // namespace

// The order of the operations is kept as it is: it decides the last digit
// of results such as 1 radian = 57.2957795130824 degrees.
expr::Evaluation radiansToDegrees(double radians) {
    return finiteOrOverflow(radians / kProgramPi * 180);
}

expr::Evaluation degreesToRadians(double degrees) {
    return finiteOrOverflow(degrees * kProgramPi / 180);
}

}  // namespace numerelle::numtools
