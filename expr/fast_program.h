#pragma once
// The compact register form of a decoded program: what evaluateFormulaAt
// runs once per point.
#include <memory>

#include "expr/jxjs.h"

namespace numerelle::expr::detail {

// Null when the rows have no header or name an impossible result slot.
std::shared_ptr<const FastProgram> translateRows(const DecodedProgram& decoded);
Evaluation runFast(const FastProgram& program, double x);

}  // namespace numerelle::expr::detail
