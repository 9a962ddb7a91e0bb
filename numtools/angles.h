#pragma once
// Radians and degrees, with the program's 15-digit pi.
#include "expr/jxjs.h"

namespace numerelle::numtools {

// The same digits the formula language puts in for PI.
inline constexpr double kProgramPi = 3.14159265358979;

// radians / pi * 180, divided first; Overflow when not finite.
expr::Evaluation radiansToDegrees(double radians);
// degrees * pi / 180, multiplied first; Overflow when not finite.
expr::Evaluation degreesToRadians(double degrees);

}  // namespace numerelle::numtools
