#pragma once
// The reference evaluator of decoded programs: the rows read one at a time,
// with the same arithmetic as the text interpreter and none of the compact
// form's translation. Whatever runDecodedProgram returns must equal this,
// value and failure kind, for every program and point.
#include <cmath>
#include <cstddef>
#include <vector>

#include "expr/evaluation_ops.h"
#include "expr/jxjs.h"

namespace numerelle::expr::reference {

inline Evaluation runRows(const DecodedProgram& decoded, double x) {
    const auto failed = [](Failure failure) { return Evaluation{0, failure}; };
    if (decoded.bracketsMismatched) return failed(Failure::Brackets);
    if (!std::isfinite(x)) return failed(Failure::Overflow);
    const int last = decoded.resultSlot;
    if (decoded.rows.empty() || last < 0 || last >= maxSlots) return failed(Failure::Malformed);
    std::vector<double> slots(static_cast<std::size_t>(last) + 1, 0.0);
    slots[0] = x;
    int current = 0;
    int level = 0;
    for (std::size_t r = 1; r < decoded.rows.size(); ++r) {
        const DecodedRow& row = decoded.rows[r];
        int k = 0, j = 0;
        Failure failure = Failure::None;
        if (row.kind == 1 || row.kind == 1.5) {
            if (!detail::slotIndex(row.a, last, k)) return failed(Failure::Malformed);
            if (row.kind == 1.5) {
                if (!detail::slotIndex(row.b, last, j)) return failed(Failure::Malformed);
                slots[k] = slots[j];
            } else {
                if (!std::isfinite(row.b)) return failed(Failure::Overflow);
                slots[k] = row.b;
            }
            current = k;
        } else if (row.kind == 2) {
            if (!(row.a == 1 || row.a == 2 || row.a == 3)) return failed(Failure::Malformed);
            level = static_cast<int>(row.a);
        } else if (row.kind == 3 || row.kind == 4) {
            const bool inverse = row.kind == 4;
            if (!detail::stepIsWellFormed(level, inverse)) return failed(Failure::Malformed);
            double operand = row.b;
            if (row.a == 1) {
                if (!detail::slotIndex(row.b, last, j)) return failed(Failure::Malformed);
                operand = slots[j];
            } else if (row.a != 0) {
                return failed(Failure::Malformed);
            } else if (!std::isfinite(operand)) {
                return failed(Failure::Overflow);
            }
            failure = detail::applyStep(level, inverse, slots[current], operand);
        } else if (row.kind == 5) {
            if (!(row.a >= 1 && row.a <= detail::functionCount) || row.a != std::trunc(row.a))
                return failed(Failure::Malformed);
            failure = detail::applyFunction(static_cast<int>(row.a), slots[current]);
        } else {
            return failed(Failure::Malformed);
        }
        if (failure != Failure::None) return failed(failure);
    }
    return {slots[static_cast<std::size_t>(last)], Failure::None};
}

}  // namespace numerelle::expr::reference
