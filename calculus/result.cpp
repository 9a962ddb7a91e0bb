#include "calculus/result.h"

#include "common/number_text.h"

namespace numerelle::calculus {

std::string failureText(const Result& result) {
    if (result.status != Status::Failed) return {};
    switch (result.fault) {
        case InputFault::IntervalCount:
            return "精度应该是1到" + numberText(maxIntervals) + "之间的整数";
        case InputFault::StepLost:
            return "x太大了，加1后不再变化";
        case InputFault::None:
            break;
    }
    return numerelle::failureText(result.failure);
}

std::string resultBoxText(const Result& result) {
    switch (result.status) {
        case Status::Value:
            return numberText(result.value);
        case Status::Failed:
            return "出了错！" + failureText(result);
        case Status::Empty:
        case Status::Cancelled:
            break;
    }
    return {};
}

}  // namespace numerelle::calculus
