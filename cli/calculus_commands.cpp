// sum, product, integral, derivative: the calculus pages' buttons. Each
// prints the result box's text; a failure text ("出了错！…") is printed too,
// but exits 1 because no value was produced.
#include <ostream>

#include "calculus/page_actions.h"
#include "cli/commands.h"
#include "common/number_text.h"
#include "expr/jxjs.h"

namespace numerelle::cli {

namespace {

bool readAll(const std::vector<std::string>& args, std::vector<std::string>& values, CommandIo& io) {
    values.resize(args.size());
    for (std::size_t i = 0; i < args.size(); ++i)
        if (!readLineArgument(args[i], values[i], io.err)) return false;
    return true;
}

int report(const calculus::PageAnswer& answer, CommandIo& io) {
    for (const std::string& message : answer.messages) io.err << message << '\n';
    if (!answer.resultText) return 1;
    io.out << *answer.resultText << '\n';
    return answer.result.status == calculus::Status::Failed ? 1 : 0;
}

int runRange(const std::vector<std::string>& args, CommandIo& io, bool product) {
    std::vector<std::string> values;
    if (!readAll(args, values, io)) return 1;
    const std::string& formula = values[0];
    const std::string& lower = values[1];
    const std::string& upper = values[2];
    // The page shows this when the user leaves a range box; the computation
    // still runs (over an empty range).
    if (calculus::rangeOrderWrong(upper, lower)) io.err << calculus::rangeOrderMessage << '\n';
    WorkControl control;
    return report(product ? calculus::productAction(formula, upper, lower, control)
                          : calculus::sumAction(formula, upper, lower, control),
                  io);
}

int runSum(const std::vector<std::string>& args, CommandIo& io);
int runProduct(const std::vector<std::string>& args, CommandIo& io);
int runIntegral(const std::vector<std::string>& args, CommandIo& io);
int runDerivative(const std::vector<std::string>& args, CommandIo& io);

const std::vector<Subcommand>& commandList() {
    static const std::vector<Subcommand> list = {
        {"sum", "sum 式子 起点 终点", "x 取 起点、起点+1、… 直到终点时式子之和", runSum},
        {"product", "product 式子 起点 终点", "x 取同样的点时式子之积", runProduct},
        {"integral", "integral 式子 A B N", "从 B 到 A 分 N 段的梯形法定积分", runIntegral},
        {"derivative", "derivative 式子 P N", "在 P 点、步长 1/N 的中心差分导数", runDerivative},
    };
    return list;
}

int runSum(const std::vector<std::string>& args, CommandIo& io) {
    if (args.size() != 3) return usageError(commandList()[0], io);
    return runRange(args, io, false);
}

int runProduct(const std::vector<std::string>& args, CommandIo& io) {
    if (args.size() != 3) return usageError(commandList()[1], io);
    return runRange(args, io, true);
}

int runIntegral(const std::vector<std::string>& args, CommandIo& io) {
    if (args.size() != 4) return usageError(commandList()[2], io);
    std::vector<std::string> values;
    if (!readAll(args, values, io)) return 1;
    WorkControl control;
    return report(calculus::integralAction(values[0], values[1], values[2], values[3], control), io);
}

int runDerivative(const std::vector<std::string>& args, CommandIo& io) {
    if (args.size() != 3) return usageError(commandList()[3], io);
    std::vector<std::string> values;
    if (!readAll(args, values, io)) return 1;
    // The point box is a formula field: it is committed before the button reads it.
    const expr::Evaluation point = expr::evaluateFormula(values[1]);
    if (!point.ok()) {
        printFormulaFailure(point.failure, io.err);
        return 1;
    }
    return report(calculus::derivativeAction(values[0], numberText(point.value), values[2]), io);
}

}  // namespace

std::vector<Subcommand> calculusCommands() {
    return commandList();
}

}  // namespace numerelle::cli
