#pragma once
// Why a computation produced no value, and the one text each kind of failure
// reads as on every page and on the command line.
#include <cstdint>
#include <string>
#include <vector>

namespace numerelle {

enum class FailureKind : std::uint8_t {
    None,
    DivisionByZero,
    Overflow,         // a value left the double range
    InvalidArgument,  // outside the domain: a logarithm of 0, a root of a negative number
    OutOfMemory,
    Malformed,   // a formula program that cannot be run
    Brackets,    // the counts of "(" and ")" differ; nothing was compiled
    Cancelled,   // the user stopped the work
    Unexpected,  // any other exception ended the work
};

// The description of a failure: shown after "出了错！" or "Error", alone in a
// result box, or in a message box. Empty for None.
std::string failureText(FailureKind kind);

// What a formula field says, in order, when its formula fails: "括号错了!"
// first when the brackets did not match, then "式子有问题".
std::vector<std::string> formulaFailureMessages(FailureKind kind);

}  // namespace numerelle
