#pragma once
// The buttons of the sums page and the integral page as functions from the
// boxes' texts to what the page shows, so that they run without a window.
#include <optional>
#include <string>
#include <vector>

#include "calculus/result.h"
#include "common/work_control.h"

namespace numerelle::calculus {

inline constexpr const char* rangeOrderMessage = "数应该是上边大下边小";

struct PageAnswer {
    Result result;
    // Message boxes to show, in order, before the result box is written.
    std::vector<std::string> messages;
    // The result box's new text; none when the box keeps its text.
    std::optional<std::string> resultText;
    // Seconds the computation took (the sum shows them in its tool tip).
    double seconds = 0;
};

// True when the upper box holds a smaller number than the lower box (the
// numbers are compared, not the texts).
bool rangeOrderWrong(const std::string& upperText, const std::string& lowerText);

// The sum and product buttons: the formula box and the two range boxes.
PageAnswer sumAction(const std::string& formula, const std::string& upperText, const std::string& lowerText,
                     WorkControl& control);
PageAnswer productAction(const std::string& formula, const std::string& upperText, const std::string& lowerText,
                         WorkControl& control);

// The integral button: a is the upper box (the end), b the lower box (the
// start), intervals the "精度" box.
PageAnswer integralAction(const std::string& formula, const std::string& aText, const std::string& bText,
                          const std::string& intervalsText, WorkControl& control);

// The derivative button: the point box and the "精度" box. With n = 0 the
// result box keeps its text and nothing is shown.
PageAnswer derivativeAction(const std::string& formula, const std::string& pointText, const std::string& nText);

}  // namespace numerelle::calculus
