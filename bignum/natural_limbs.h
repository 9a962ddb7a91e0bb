#pragma once
// The limb layer under natural.h: natural numbers as vectors of base-10^9
// limbs, least significant first, with no zero limbs on top (empty = 0).
// A power-of-ten base keeps reading and writing decimal text linear.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace numerelle::bignum::limbs {

using Limb = std::uint32_t;
using Limbs = std::vector<Limb>;
constexpr Limb kBase = 1000000000u;
constexpr int kLimbDigits = 9;

// Multiplication switches, in limbs of the shorter operand: schoolbook below
// the first; from the second on, the transform is taken wherever its
// measured cost model beats Karatsuba's (the transform's cost jumps with
// each power-of-two length, so a plain size threshold would misjudge).
constexpr std::size_t kKaratsubaThreshold = 120;
constexpr std::size_t kTransformThreshold = 400;
// Costs per unit, measured: Karatsuba ~ n m^0.585, transform ~ N log2 N.
constexpr double kKaratsubaCost = 2.22;
constexpr double kTransformCost = 5.6;
bool transformPays(std::size_t n, std::size_t m);
// The transform's largest length (the primes' 2-power roots of unity).
constexpr std::size_t kTransformMaxLog = 26;

// Factorials from here on are built from swinging factorials; below, by one
// product tree.
constexpr std::uint64_t kSwingFactorialMin = 1500;
// Binomials of n up to this size factor n! / (m! (n-m)!) over a prime sieve
// (when m is at least n / ratio); otherwise m!'s primes are divided out of
// the block n - m + 1 … n.
constexpr std::uint64_t kBinomialSieveLimit = std::uint64_t{1} << 27;
constexpr std::uint64_t kBinomialSieveRatio = 8;

enum class MulAlgorithm { Automatic, Schoolbook, Karatsuba, Transform };

Limbs fromDecimal(std::string_view digits);
std::string toDecimal(const Limbs& a);
void trim(Limbs& a);

Limbs multiply(const Limbs& a, const Limbs& b, MulAlgorithm algorithm = MulAlgorithm::Automatic);
Limbs square(const Limbs& a, MulAlgorithm algorithm = MulAlgorithm::Automatic);
// a := a * factor. Factors up to kSmallFactorMax (about 2^34) take 64-bit
// arithmetic only; larger ones 128-bit.
constexpr std::uint64_t kSmallFactorMax = 0xFFFFFFFFFFFFFFFFull / kBase;
void multiplySmall(Limbs& a, std::uint64_t factor);
// a := a / divisor (divisor > 0); returns the remainder.
std::uint64_t divideSmall(Limbs& a, std::uint64_t divisor);

// Span kernels (z has room for n + m limbs; overwritten).
void mulSchoolbook(const Limb* a, std::size_t n, const Limb* b, std::size_t m, Limb* z);
void mulTransform(const Limb* a, std::size_t n, const Limb* b, std::size_t m, Limb* z);
void sqrTransform(const Limb* a, std::size_t n, Limb* z);

// The hot loops, built twice: plainly and for AVX2 (natural_avx2.cpp).
bool kernelsUseAvx2();
namespace avx2 {
bool available();
void convolveAndJoin(const Limb* a, std::size_t an, const Limb* b, std::size_t bn, std::size_t n, std::uint32_t* buffer,
                     Limb* z, std::size_t zn);
void schoolbook(const Limb* a, std::size_t n, const Limb* b, std::size_t m, Limb* z, std::uint64_t* acc);
}  // namespace avx2

}  // namespace numerelle::bignum::limbs
