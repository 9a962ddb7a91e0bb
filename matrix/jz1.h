#pragma once
// Matrices: the matrix store and files, determinant, elimination, Hessenberg
// form and eigenvalues, the product, and polynomial roots by companion
// matrices. Plain C++; every long loop polls a WorkControl.
#include <complex>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "common/work_control.h"

namespace numerelle::matrix {

// ---------------------------------------------------------------- store ---

// The current matrix as the pages keep it: element (r, c), 0-based, at
// r·n + c, then one spare slot (n² + 1 doubles).
using Store = std::vector<double>;

// A square matrix addressed 1-based, (row, column), as the algorithms read.
class Matrix {
public:
    Matrix() = default;
    explicit Matrix(int order) : n_(order), a_(static_cast<std::size_t>(order) * order, 0.0) {}
    int order() const { return n_; }
    double& operator()(int r, int c) { return a_[static_cast<std::size_t>(r - 1) * n_ + (c - 1)]; }
    double operator()(int r, int c) const { return a_[static_cast<std::size_t>(r - 1) * n_ + (c - 1)]; }
    const std::vector<double>& elements() const { return a_; }  // row-major
    // Row r (1-based) as a plain array of n doubles, for the inner loops.
    double* row(int r) { return a_.data() + static_cast<std::size_t>(r - 1) * n_; }
    const double* row(int r) const { return a_.data() + static_cast<std::size_t>(r - 1) * n_; }
    bool operator==(const Matrix&) const = default;

private:
    int n_ = 0;
    std::vector<double> a_;
};

// Largest order the pages accept: the store of 2000² doubles is 32 MB, and
// every operation on it still ends within seconds.
inline constexpr int kMaxOrder = 2000;

// The order a store holds: the whole square root of its upper index.
int storeOrder(const Store& store);
Matrix storeToMatrix(const Store& store);
// Spare slot 0.
Store matrixToStore(const Matrix& matrix);
// A store of order n (indices 0..n²) that keeps the old values by store
// index, not by row and column; new elements are 0.
Store resizeStore(const Store& store, int order);

// Store index of cell `cell` (0..15) of the 4 × 4 matrix window with origin
// (top row, left column), for a matrix of order n.
std::int64_t matrixCellIndex(int cell, int top, int left, int order);
// Store index of cell `cell` (0..19) of the 4 × 5 equation window; a row of
// the equation store has n + 1 entries.
std::int64_t equationCellIndex(int cell, int top, int left, int unknowns);

// Unknown j (1-based): "A".."Z", then "a", "b", … following the character
// codes; the invisible codes 127..160 (controls, no-break space) and 173
// (soft hyphen) are skipped. UTF-8.
std::string unknownName(int j);

// --------------------------------------------------------------- files ---

// The bytes of a matrix file: 32-bit little-endian count u = n², then the
// u + 1 store elements as little-endian IEEE doubles (8n² + 12 bytes).
std::vector<unsigned char> encodeMatrixFile(const Store& store);

enum class FileProblem : std::uint8_t {
    None,
    NoCount,  // shorter than the 4 bytes of the count
    NegativeCount,
    NotSquare,      // the count is not the square of a whole order
    CountMismatch,  // a different number of elements than the current matrix
    Truncated,      // fewer doubles than the count promises
    BadValue,       // an element is an infinity or not a number
};
struct FileRead {
    FileProblem problem = FileProblem::None;
    Store store;  // empty unless problem == None
};
// The number of bytes a file matching a store of upper index `upper` needs;
// a reader never has to look at more.
std::size_t matrixFileSize(std::size_t upper);
// Checks before allocating anything; extra bytes past the promised end are
// ignored.
FileRead decodeMatrixFile(std::span<const unsigned char> bytes, std::size_t expectedUpper);

enum class NameProblem : std::uint8_t { None, Empty, ForbiddenCharacter, TooLong };
// A matrix name becomes the file name name + ".kmx": it must not name a path
// or use characters some file systems cannot store.
NameProblem checkMatrixName(std::string_view utf8Name);

// ------------------------------------------------------------ results ---

enum class Outcome : std::uint8_t {
    Done,
    Overflow,  // a value left the double range
    Singular,  // linear system without a unique solution
    NoConvergence,
    Cancelled,
};

// ---------------------------------------------------------- determinant ---

// Orders up to this one use the closed forms and cofactor expansion (exactly
// the textbook sum); larger ones the exact value of a matrix of whole numbers
// when it has at most 15 digits, else LU with partial pivoting.
inline constexpr int kMaxCofactorOrder = 10;

struct Determinant {
    Outcome outcome = Outcome::Done;
    double value = 0;
};
Determinant determinant(const Matrix& a, WorkControl* control = nullptr);
Determinant cofactorDeterminant(const Matrix& a, WorkControl* control = nullptr);
Determinant luDeterminant(const Matrix& a, WorkControl* control = nullptr);
// Fraction-free elimination on 128-bit integers; nothing when an entry is not
// a whole number (or above 2^53), an intermediate minor overflows, or the
// determinant has more than 15 digits.
std::optional<Determinant> exactIntegerDeterminant(const Matrix& a, WorkControl* control = nullptr);

// ------------------------------------------------------------- systems ---

struct Solution {
    Outcome outcome = Outcome::Done;
    std::vector<double> x;  // x[0] is unknown 1
};
// Gauss–Jordan elimination with partial pivoting on the system with rows and
// columns equilibrated by powers of two. A pivot no larger than 4n·ε counts as
// zero there: the system is Singular.
Solution solveLinearSystem(Matrix a, std::vector<double> b, WorkControl* control = nullptr);

// Splits an equation store (n rows of n coefficients and a right-hand side,
// then a spare slot) into A and b.
void splitEquationStore(const Store& equations, int unknowns, Matrix& a, std::vector<double>& b);

// The solution line: "A=1 B=-2 " (signed number text without its blank).
std::string solutionLine(const std::vector<double>& x);

// -------------------------------------------------------------- product ---

struct Product {
    Outcome outcome = Outcome::Done;
    Matrix c;
};
// C = A·B for equal orders.
Product multiply(const Matrix& a, const Matrix& b, WorkControl* control = nullptr);

// ------------------------------------------------- Hessenberg, eigenvalues ---

// +1 for x ≥ 0, −1 otherwise.
double signOf(double x);

// Similarity reduction to upper Hessenberg form by elimination with row and
// column interchanges, in place. Done, Overflow or Cancelled; on anything
// but Done the matrix is left half-reduced and must be thrown away.
Outcome toHessenberg(Matrix& a, WorkControl* control = nullptr);

struct Eigenvalues {
    Outcome outcome = Outcome::Done;
    int status = 1;  // 1 when every eigenvalue was found, 0 on the sweep limit
    // Indices 1..n (index 0 unused): eigenvalue k is (real[k], imaginary[k]).
    std::vector<double> real;
    std::vector<double> imaginary;
};
// Shifted double-step QR iteration with deflation on an upper Hessenberg
// matrix (overwritten). A subdiagonal entry no larger than `tolerance` times
// its two diagonal neighbours counts as zero. At most 200 sweeps per
// eigenvalue or pair; exceptional shifts after 10 and 20 idle sweeps.
Eigenvalues hessenbergEigenvalues(Matrix& a, double tolerance, WorkControl* control = nullptr);

// "3", "0.5+2i", "0.5-2i": number text of the parts.
std::string complexText(double re, double im);
// All eigenvalues, one a line, in the order of their indices.
std::string eigenvalueText(const Eigenvalues& values);

// -------------------------------------------------------- polynomials ---

struct PolynomialRoots {
    Outcome outcome = Outcome::Done;
    bool leadingZero = false;  // the coefficient of the highest power is 0
    std::vector<std::complex<double>> roots;
};
// Coefficients from the highest power down to the constant term. Roots are
// the eigenvalues of the balanced companion matrix, each polished by Newton's
// method; sorted by real part, then imaginary part, both descending.
PolynomialRoots polynomialRoots(const std::vector<double>& coefficients, WorkControl* control = nullptr);

}  // namespace numerelle::matrix
