#include <cmath>
#include <istream>
#include <ostream>
#include <sstream>

#include "cli/commands.h"
#include "cli/texts.h"
#include "common/number_text.h"
#include "expr/jxjs.h"
#include "numtools/logarithm.h"

namespace numerelle::cli {

namespace {

// One formula a line, one value a line, as bc and qalc read a pipe. Blank
// lines are skipped; a failing line's messages name the line.
int evaluateLines(CommandIo& io) {
    int status = 0;
    long number = 0;
    for (std::string line; std::getline(io.in, line);) {
        ++number;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.find_first_not_of(" \t") == std::string::npos) continue;
        const expr::Evaluation result = expr::evaluateFormula(line);
        if (result.ok()) {
            io.out << numberText(result.value) << '\n';
            continue;
        }
        std::ostringstream messages;
        printFormulaFailure(result.failure, messages);
        std::istringstream each(messages.str());
        for (std::string message; std::getline(each, message);) io.err << texts::onLine(number) << message << '\n';
        status = 1;
    }
    return status;
}

int runEval(const std::vector<std::string>& args, CommandIo& io) {
    if (args.size() > 1 || (args.empty() && io.inputIsTerminal)) return usageError("eval", io);
    if (args.empty() || args[0] == "-") return evaluateLines(io);
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
        io.err << failureText(result.failure) << '\n';
        return 1;
    }
    io.out << numberText(result.value) << '\n';
    return 0;
}

int runLog(const std::vector<std::string>& args, CommandIo& io) {
    if (args.empty() || args.size() > 2) return usageError("log", io);
    return runLogarithm(args, io, false);
}

int runLn(const std::vector<std::string>& args, CommandIo& io) {
    if (args.size() != 1) return usageError("ln", io);
    return runLogarithm(args, io, true);
}

}  // namespace

std::vector<Subcommand> exprCommands() {
    return {
        {"eval", "eval 式子\neval [-]", "式子的值；不写或写 - 时从标准输入每行读一个式子", runEval},
        {"log", "log 数 [底数]", "以底数为底的对数（底数默认为 10）", runLog},
        {"ln", "ln 数", "自然对数", runLn},
    };
}

}  // namespace numerelle::cli
