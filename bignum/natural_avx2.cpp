// The hot loops compiled for AVX2, where the compiler turns the schoolbook
// rows and the butterflies into vector code. Used only when the processor
// has AVX2 (checked at run time).
#include <cstddef>
#include <cstdint>

#if defined(__GNUC__) && (defined(__x86_64__) || defined(__i386__))
#include <cpuid.h>
#endif

#include "bignum/natural_limbs.h"

namespace numerelle::bignum::limbs::avx2 {

bool available() {
#if defined(__GNUC__) && (defined(__x86_64__) || defined(__i386__))
    // Asked here, on the first long product, rather than through
    // __builtin_cpu_supports: that pulls in the compiler runtime's start-up
    // probe of every CPU feature, which in a virtual machine (each CPUID a
    // trap) was a visible share of a trivial command's run.
    unsigned eax = 0, ebx = 0, ecx = 0, edx = 0;
    if (!__get_cpuid(1, &eax, &ebx, &ecx, &edx)) return false;
    // The system must save the YMM registers (OSXSAVE, then XCR0 bits 1-2).
    if ((ecx & bit_OSXSAVE) == 0) return false;
    unsigned xcrLow = 0, xcrHigh = 0;
    __asm__("xgetbv" : "=a"(xcrLow), "=d"(xcrHigh) : "c"(0));
    if ((xcrLow & 6) != 6) return false;
    if (!__get_cpuid_count(7, 0, &eax, &ebx, &ecx, &edx)) return false;
    return (ebx & bit_AVX2) != 0;
#else
    return false;
#endif
}

#if defined(__GNUC__) && (defined(__x86_64__) || defined(__i386__))
// Clang has no target pragma; its attribute pragma gives every function of
// the kernels the same AVX2 target.
#if defined(__clang__)
#pragma clang attribute push(__attribute__((target("avx2"))), apply_to = function)
#else
#pragma GCC push_options
#pragma GCC target("avx2")
#endif
namespace kernels {
#include "bignum/natural_kernels.h"
}  // namespace kernels
#if defined(__clang__)
#pragma clang attribute pop
#else
#pragma GCC pop_options
#endif

void convolveAndJoin(const Limb* a, std::size_t an, const Limb* b, std::size_t bn, std::size_t n, std::uint32_t* buffer,
                     Limb* z, std::size_t zn) {
    kernels::convolveAndJoin(a, an, b, bn, n, buffer, z, zn);
}

void schoolbook(const Limb* a, std::size_t n, const Limb* b, std::size_t m, Limb* z, std::uint64_t* acc) {
    kernels::schoolbook(a, n, b, m, z, acc);
}
#else
void convolveAndJoin(const Limb*, std::size_t, const Limb*, std::size_t, std::size_t, std::uint32_t*, Limb*,
                     std::size_t) {}
void schoolbook(const Limb*, std::size_t, const Limb*, std::size_t, Limb*, std::uint64_t*) {}
#endif

}  // namespace numerelle::bignum::limbs::avx2
