#pragma once
// The logarithm page: checks of its two boxes and the computation.
#include <string>

#include "expr/jxjs.h"

namespace numerelle::numtools {

// What leaving a box of the page asks for, after both boxes hold the
// absolute values of their formulas.
enum class LogarithmInputCheck { Fine, ResetBase, ResetNumber };
LogarithmInputCheck checkLogarithmInputs(double number, double base);

// ln(number) / ln(base), or ln(number) when `natural`.
expr::Evaluation computeLogarithm(double number, double base, bool natural);

}  // namespace numerelle::numtools
