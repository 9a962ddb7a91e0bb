// det, solve, hess, eig, roots. A matrix is read from standard input, a row
// a line, numbers separated by blanks; or from one argument in which ";"
// also ends a row and "," also separates numbers ("1,2;3,4", or @FILE).
#include <charconv>
#include <cmath>
#include <istream>
#include <ostream>
#include <sstream>
#include <string_view>

#include "cli/commands.h"
#include "cli/texts.h"
#include "common/number_text.h"
#include "matrix/jz1.h"
#include "matrix/messages.h"

namespace numerelle::cli {

namespace {

using namespace numerelle::matrix;

// Prints the page's message for a failed computation and gives the status.
int refuse(CommandIo& io, std::string_view message) {
    io.err << message << '\n';
    return 1;
}

// A number as the grid cell holds it once committed: its 15-digit text.
bool parseNumber(const std::string& word, double& value) {
    const char* first = word.data();
    const char* last = first + word.size();
    if (first != last && *first == '+') ++first;
    const auto [end, error] = std::from_chars(first, last, value);
    if (error != std::errc() || end != last || !std::isfinite(value)) return false;
    value = boxReading(value);
    return true;
}

// Reads the non-blank lines of standard input as rows of numbers; each must
// hold `extra` more numbers than there are rows.
bool readRows(const std::vector<std::string>& args, CommandIo& io, int extra, std::vector<std::vector<double>>& rows) {
    std::istringstream argumentText;
    if (!args.empty()) {
        std::string text;
        if (!readArgument(args[0], text, io.err)) return false;
        for (char& ch : text) {
            if (ch == ';') ch = '\n';
            else if (ch == ',') ch = ' ';
        }
        argumentText.str(text);
    }
    std::istream& in = args.empty() ? io.in : argumentText;
    std::string line;
    int lineNumber = 0;
    while (std::getline(in, line)) {
        ++lineNumber;
        std::istringstream words(line);
        std::vector<double> row;
        for (std::string word; words >> word;) {
            double value = 0;
            if (!parseNumber(word, value)) {
                io.err << texts::onLine(lineNumber) << texts::notANumber(word) << '\n';
                return false;
            }
            row.push_back(value);
        }
        if (!row.empty()) rows.push_back(std::move(row));
        if (static_cast<int>(rows.size()) > kMaxOrder) {
            io.err << texts::tooManyRows(kMaxOrder) << '\n';
            return false;
        }
    }
    if (rows.empty()) {
        io.err << texts::kNoMatrix << '\n';
        return false;
    }
    const std::size_t width = rows.size() + static_cast<std::size_t>(extra);
    for (std::size_t r = 0; r < rows.size(); ++r) {
        if (rows[r].size() != width) {
            io.err << texts::wrongRowWidth(r + 1, rows[r].size(), width) << '\n';
            return false;
        }
    }
    return true;
}

bool readSquare(const std::vector<std::string>& args, CommandIo& io, Matrix& a) {
    std::vector<std::vector<double>> rows;
    if (!readRows(args, io, 0, rows)) return false;
    const int n = static_cast<int>(rows.size());
    a = Matrix(n);
    for (int r = 1; r <= n; ++r)
        for (int c = 1; c <= n; ++c) a(r, c) = rows[r - 1][c - 1];
    return true;
}

int det(const std::vector<std::string>& args, CommandIo& io) {
    if (args.size() > 1) return usageError("det", io);
    Matrix a;
    if (!readSquare(args, io, a)) return 1;
    const Determinant d = determinant(a);
    if (d.outcome != Outcome::Done) return refuse(io, outcomeMessage(d.outcome));
    io.out << numberText(d.value) << '\n';
    return 0;
}

int solve(const std::vector<std::string>& args, CommandIo& io) {
    if (args.size() > 1) return usageError("solve", io);
    std::vector<std::vector<double>> rows;
    if (!readRows(args, io, 1, rows)) return 1;
    const int n = static_cast<int>(rows.size());
    Store equations;
    for (const auto& row : rows) equations.insert(equations.end(), row.begin(), row.end());
    equations.push_back(0);
    Matrix a;
    std::vector<double> b;
    splitEquationStore(equations, n, a, b);
    const Solution solution = solveLinearSystem(std::move(a), std::move(b));
    if (solution.outcome != Outcome::Done) return refuse(io, outcomeMessage(solution.outcome));
    io.out << solutionLine(solution.x) << '\n';
    return 0;
}

int hess(const std::vector<std::string>& args, CommandIo& io) {
    if (args.size() > 1) return usageError("hess", io);
    Matrix a;
    if (!readSquare(args, io, a)) return 1;
    if (const Outcome outcome = toHessenberg(a); outcome != Outcome::Done) return refuse(io, outcomeMessage(outcome));
    for (int r = 1; r <= a.order(); ++r) {
        for (int c = 1; c <= a.order(); ++c) io.out << (c > 1 ? " " : "") << numberText(a(r, c));
        io.out << '\n';
    }
    return 0;
}

int eig(const std::vector<std::string>& args, CommandIo& io) {
    if (args.size() > 1) return usageError("eig", io);
    Matrix a;
    if (!readSquare(args, io, a)) return 1;
    Eigenvalues values;
    if (toHessenberg(a) == Outcome::Done) values = hessenbergEigenvalues(a, kEigenvalueTolerance);
    else values.outcome = Outcome::Overflow;
    if (values.outcome != Outcome::Done) return refuse(io, outcomeMessage(values.outcome));
    io.out << eigenvalueText(values) << '\n';
    return 0;
}

int roots(const std::vector<std::string>& args, CommandIo& io) {
    if (args.size() < 2) return usageError("roots", io);
    if (args.size() > 101) return refuse(io, texts::kDegreeTooHigh);
    std::vector<double> coefficients;
    for (const std::string& arg : args) {
        std::string text;
        if (!readLineArgument(arg, text, io.err)) return 1;
        double value = 0;
        if (!parseNumber(text, value)) {
            io.err << texts::notANumber(text) << '\n';
            return 1;
        }
        coefficients.push_back(value);
    }
    const PolynomialRoots found = polynomialRoots(coefficients);
    if (found.leadingZero) return refuse(io, kLeadingZero);
    if (found.outcome != Outcome::Done) return refuse(io, outcomeMessage(found.outcome, kRootsNoConvergence));
    for (const auto& z : found.roots) io.out << complexText(z.real(), z.imag()) << '\n';
    return 0;
}

}  // namespace

std::vector<Subcommand> matrixCommands() {
    return {
        {"det", "det [行]", "行列式；行写成 1,2;3,4，不写时读标准输入", det},
        {"solve", "solve [行]", "线性方程组：每行 n 个系数和一个常数项", solve},
        {"hess", "hess [行]", "化为上海森伯格形式的矩阵，一行一行", hess},
        {"eig", "eig [行]", "方阵的特征值，一行一个", eig},
        {"roots", "roots C_n ... C_1 C_0", "多项式 C_n x^n + ... + C_0 的根，一行一个", roots},
    };
}

}  // namespace numerelle::cli
