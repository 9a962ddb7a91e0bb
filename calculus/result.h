#pragma once
// What a calculus computation hands back: a value, nothing at all (a sum over
// an empty range), a failure with its cause, or the note that the user
// cancelled it.
#include <cstdint>
#include <string>

#include "common/failure.h"

namespace numerelle::calculus {

enum class Status : std::uint8_t { Value, Empty, Failed, Cancelled };

// Causes of failure that lie in the inputs rather than in the arithmetic.
enum class InputFault : std::uint8_t {
    None,
    IntervalCount,  // intervals not a whole number from 1 to maxIntervals
    StepLost,       // x so large that adding 1 leaves it unchanged
};

// The largest number of intervals an integral accepts: beyond it the point
// index could no longer be counted exactly.
inline constexpr double maxIntervals = 1e15;

struct Result {
    Status status = Status::Empty;
    double value = 0;
    FailureKind failure = FailureKind::None;  // arithmetic cause, when Failed
    InputFault fault = InputFault::None;      // input cause, when Failed

    static Result valueOf(double v) { return {Status::Value, v, FailureKind::None, InputFault::None}; }
    static Result empty() { return {}; }
    static Result failedWith(FailureKind f) { return {Status::Failed, 0, f, InputFault::None}; }
    static Result failedWith(InputFault f) { return {Status::Failed, 0, FailureKind::None, f}; }
    static Result cancelled() { return {Status::Cancelled, 0, FailureKind::None, InputFault::None}; }

    bool hasValue() const { return status == Status::Value; }
};

// The description of a failed result (empty for any other status).
std::string failureText(const Result& result);

// What the result box shows: the number text of a value, "" for an empty
// range, "出了错！" and the description for a failure. A cancelled result
// shows nothing new; pages keep the box as it was.
std::string resultBoxText(const Result& result);

}  // namespace numerelle::calculus
