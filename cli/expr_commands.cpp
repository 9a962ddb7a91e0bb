#include <cmath>
#include <ostream>

#include "cli/commands.h"
#include "common/number_text.h"
#include "expr/jxjs.h"
#include "numtools/logarithm.h"

namespace numerelle::cli {

namespace {

int runEval(const std::vector<std::string>& args, CommandIo& io) {
    if (args.size() != 1) {
        io.err << "usage: numerelle-cli eval FORMULA\n";
        return 1;
    }
    double value = 0;
    if (!commitFormulaArgument(args[0], value, io.err)) return 1;
    io.out << numberText(value) << '\n';
    return 0;
}

// The logarithm page: both boxes keep absolute values; a base of 0 or 1 and a
// number 0 are refused with the page's messages.
int runLogarithm(const std::vector<std::string>& args, CommandIo& io, bool natural) {
    double number = 0;
    double base = 10;
    if (!commitFormulaArgument(args[0], number, io.err)) return 1;
    if (args.size() > 1 && !commitFormulaArgument(args[1], base, io.err)) return 1;
    number = std::fabs(number);
    base = std::fabs(base);
    switch (numtools::checkLogarithmInputs(number, natural ? 10 : base)) {
        case numtools::LogarithmInputCheck::ResetBase:
            io.err << "底数不能为0或1\n";
            return 1;
        case numtools::LogarithmInputCheck::ResetNumber:
            io.err << "增数不能为0！\n";
            return 1;
        case numtools::LogarithmInputCheck::Fine:
            break;
    }
    const expr::Evaluation result = numtools::computeLogarithm(number, base, natural);
    if (!result.ok()) {
        io.err << expr::failureDescription(result.failure) << '\n';
        return 1;
    }
    io.out << numberText(result.value) << '\n';
    return 0;
}

int runLog(const std::vector<std::string>& args, CommandIo& io) {
    if (args.empty() || args.size() > 2) {
        io.err << "usage: numerelle-cli log NUMBER [BASE]\n";
        return 1;
    }
    return runLogarithm(args, io, false);
}

int runLn(const std::vector<std::string>& args, CommandIo& io) {
    if (args.size() != 1) {
        io.err << "usage: numerelle-cli ln NUMBER\n";
        return 1;
    }
    return runLogarithm(args, io, true);
}

}  // namespace

std::vector<Subcommand> exprCommands() {
    return {
        {"eval", "eval FORMULA", "value of a formula, as the quick calculator shows it", runEval},
        {"log", "log NUMBER [BASE]", "logarithm to BASE (10 by default); both may be formulas", runLog},
        {"ln", "ln NUMBER", "natural logarithm", runLn},
    };
}

}  // namespace numerelle::cli
