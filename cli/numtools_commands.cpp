// factor, frac, sqrt, complex: the number-tool pages of the "杂项 I" and
// "复数计算" tabs. Each argument is what the user types into the page's box
// and passes through that box's focus-loss handling first. Result boxes go
// to standard output, one line each (an empty line for a box the page does
// not write); message boxes go to standard error. A refusal or failure the
// page writes into a result box is printed like a result but exits with
// status 1.
#include <cmath>
#include <ostream>

#include "cli/commands.h"
#include "common/number_text.h"
#include "expr/jxjs.h"
#include "numtools/complex.h"
#include "numtools/continued_fraction.h"
#include "numtools/factorisation.h"
#include "numtools/square_root.h"

namespace numerelle::cli {

namespace {

int runFactor(const std::vector<std::string>& args, CommandIo& io) {
    if (args.size() != 1) return usageError("factor", io);
    std::string typed;
    if (!readLineArgument(args[0], typed, io.err)) return 1;
    const numtools::FactorisationInput box = numtools::rewriteFactorisationInput(typed);
    if (box.failure != FailureKind::None) {
        printFormulaFailure(box.failure, io.err);
        return 1;
    }
    const numtools::FactorisationOutput line = numtools::factorisationText(box.text);
    io.out << line.text << '\n';
    return line.factorised ? 0 : 1;
}

int runFraction(const std::vector<std::string>& args, CommandIo& io) {
    if (args.size() != 1) return usageError("frac", io);
    double value = 0;
    if (!commitFormulaArgument(args[0], value, io.err)) return 1;
    const numtools::FractionPageOutput out = numtools::fractionPageResult(value);
    if (out.beep) {
        // Only the denominator box is written: the failure's text.
        io.out << '\n' << '\n' << out.denominator << '\n';
        return 1;
    }
    io.out << out.wholePart << '\n' << out.numerator << '\n' << out.denominator << '\n';
    return 0;
}

int runSquareRoot(const std::vector<std::string>& args, CommandIo& io) {
    if (args.size() != 1) return usageError("sqrt", io);
    double value = 0;
    if (!commitFormulaArgument(args[0], value, io.err)) return 1;
    // The box keeps the absolute value; the question about long searches is
    // answered with OK, since a command line has no one to ask.
    WorkControl control;
    const numtools::SquareRootOutput out =
        numtools::finishSquareRoot(numtools::planSquareRoot(std::fabs(value)), control);
    if (out.beep || !out.decimal) {
        // Only the box under the root is written, with the failure's text.
        if (out.underRoot) io.out << '\n' << '\n' << *out.underRoot << '\n' << '\n';
        return 1;
    }
    io.out << *out.factorNumerator << '\n'
           << *out.factorDenominator << '\n'
           << *out.underRoot << '\n'
           << *out.decimal << '\n';
    return 0;
}

int complexUsage(CommandIo& io) {
    return usageError("complex", io);
}

int runComplex(const std::vector<std::string>& args, CommandIo& io) {
    numtools::ComplexAngleUnit unit = numtools::ComplexAngleUnit::Degrees;
    std::vector<std::string> rest;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] != "--unit") {
            rest.push_back(args[i]);
            continue;
        }
        if (i + 1 == args.size()) return complexUsage(io);
        const std::string& name = args[++i];
        if (name == "deg") unit = numtools::ComplexAngleUnit::Degrees;
        else if (name == "rad") unit = numtools::ComplexAngleUnit::Radians;
        else if (name == "grad") unit = numtools::ComplexAngleUnit::Gradians;
        else return complexUsage(io);
    }
    if (rest.size() != 5 && rest.size() != 7) return complexUsage(io);
    const std::string& op = rest[0];
    if (op != "+" && op != "-" && op != "*" && op != "/" && op != "pow") return complexUsage(io);

    // Z1 and Z2, then the exponent box and the root-number box.
    double boxes[6] = {0, 0, 0, 0, 0, 1};
    for (std::size_t i = 1; i < rest.size(); ++i)
        if (!commitFormulaArgument(rest[i], boxes[i - 1], io.err)) return 1;
    // The root-number box then shows the absolute whole part.
    const double rootNumber = boxReading(std::fabs(std::floor(boxes[5])));

    numtools::ComplexResult result;
    if (op == "pow") {
        result = numtools::complexPower(boxes[0], boxes[1], boxes[4], rootNumber, unit);
    } else {
        const numtools::ComplexOperation operation = op == "+"   ? numtools::ComplexOperation::Add
                                                     : op == "-" ? numtools::ComplexOperation::Subtract
                                                     : op == "*" ? numtools::ComplexOperation::Multiply
                                                                 : numtools::ComplexOperation::Divide;
        result = numtools::complexArithmetic(operation, boxes[0], boxes[1], boxes[2], boxes[3], unit);
    }
    if (!result.ok()) {
        io.err << failureText(result.failure) << '\n';
        return 1;
    }
    io.out << *result.real << '\n'
           << *result.imaginary << '\n'
           << *result.modulus << ' ' << *result.angle << ' ' << *result.angleCopy << '\n';
    return 0;
}

}  // namespace

std::vector<Subcommand> numtoolsCommands() {
    return {
        {"factor", "factor N", "不超过 10^16 的整数分解质因数", runFactor},
        {"frac", "frac X", "小数化分数：整数部分、分子、分母", runFraction},
        {"sqrt", "sqrt X", "二次根式化简为 a / b * sqrt(c)，及其值", runSquareRoot},
        {"complex", "complex [--unit deg|rad|grad] 运算 A1 B1 A2 B2 [N K]",
         "Z1 与 Z2 的 + - * /，或 pow：Z1 的 N 次方和第 K 个根", runComplex},
    };
}

}  // namespace numerelle::cli
