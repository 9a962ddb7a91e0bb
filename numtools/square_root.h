#pragma once
// The square-root page: sqrt(x) written as (a / b) * sqrt(c) with c free of
// square factors, and sqrt(x) as a decimal.
#include <optional>
#include <string>

#include "common/work_control.h"
#include "expr/jxjs.h"

namespace numerelle::numtools {

// The four result boxes; a box left empty here keeps what it showed.
struct SquareRootOutput {
    std::optional<std::string> factorNumerator;    // Text30
    std::optional<std::string> factorDenominator;  // Text33
    std::optional<std::string> underRoot;          // Text31
    std::optional<std::string> decimal;            // Text32
    bool beep = false;
    bool cancelled = false;
};

// The input as a fraction num / den, before any square is taken out. When
// `finished` is set the work is already done (0, a negative input, a failed
// expansion); otherwise `askFirst` says the search may take long and the user
// should be asked before it starts.
struct SquareRootPlan {
    double x = 0;
    double numerator = 0;
    double denominator = 1;
    bool askFirst = false;
    std::optional<SquareRootOutput> finished;
};
inline constexpr double squareRootQuestionAbove = 1e12;

SquareRootPlan planSquareRoot(double x);

// Takes the squares out of the denominator, moves what is left of it under
// the root, then takes the squares out of the numerator. Trial division in
// doubles, restarting at 3 after each factor found, as far as the square
// root of the number worked on; polls `control` for cancellation.
SquareRootOutput finishSquareRoot(const SquareRootPlan& plan, WorkControl& control);

}  // namespace numerelle::numtools
