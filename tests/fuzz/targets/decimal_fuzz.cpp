// libFuzzer target: the decimal-string page actions against the schoolbook
// natural-number reference of the core tests. The first byte picks the
// action, the rest is the two box texts separated by the first line break.
// Operands are kept short enough for the reference; the page must accept
// exactly the texts the reference accepts and show the same value.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "decimal_checks.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const std::string_view input(reinterpret_cast<const char*>(data + 1), size - 1);
    const std::size_t cut = std::min(input.find('\n'), input.size());
    decimal_checks::checkAction(data[0] % 7, input.substr(0, cut),
                                cut < input.size() ? input.substr(cut + 1) : std::string_view());
    return 0;
}
