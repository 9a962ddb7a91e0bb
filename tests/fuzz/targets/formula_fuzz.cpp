// libFuzzer target: the formula compiler and the three evaluators. The first
// byte picks the point x and the kind of input; the rest is a formula, or a
// hand-made text program with one element a line. Every route to a value
// must give the same value or the same failure kind.
#include <cstddef>
#include <cstdint>
#include <iterator>
#include <string_view>

#include "formula_checks.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    static constexpr double points[] = {0, 1, -1, 0.5, 2, -3.5, 1e-200, 1e200, 7.25, -1e-5, 3.141592653589793, 100};
    const std::uint8_t selector = data[0];
    const double x = points[(selector >> 1) % std::size(points)];
    const std::string_view text(reinterpret_cast<const char*>(data + 1), size - 1);
    if (selector & 1) {
        formula_checks::checkProgram(text, x);
    } else {
        formula_checks::checkFormula(text, x);
    }
    return 0;
}
