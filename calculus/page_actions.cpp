#include "calculus/page_actions.h"

#include <chrono>

#include "calculus/calculus.h"
#include "calculus/loops.h"
#include "expr/jxjs.h"

namespace numerelle::calculus {

namespace {

// Prepares the formula; a bracket mismatch is announced at once (its first
// evaluation then fails and the result box reports it).
expr::DecodedProgram prepare(const std::string& formula, PageAnswer& answer) {
    expr::DecodedProgram decoded = expr::prepareFormulaInX(formula);
    if (decoded.bracketsMismatched) answer.messages.push_back(numerelle::failureText(FailureKind::Brackets));
    return decoded;
}

void settle(PageAnswer& answer, Result result) {
    answer.result = result;
    if (result.status != Status::Cancelled) answer.resultText = resultBoxText(result);
}

PageAnswer rangeAction(const std::string& formula, const std::string& upperText, const std::string& lowerText,
                       Accumulation kind, WorkControl& control) {
    const auto started = std::chrono::steady_clock::now();
    PageAnswer answer;
    const expr::DecodedProgram decoded = prepare(formula, answer);
    const double end = expr::leadingNumber(upperText);
    const double start = expr::leadingNumber(lowerText);
    settle(answer, kind == Accumulation::Sum ? sumOverRange(decoded, start, end, control)
                                             : productOverRange(decoded, start, end, control));
    answer.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    return answer;
}

}  // namespace

bool rangeOrderWrong(const std::string& upperText, const std::string& lowerText) {
    return expr::leadingNumber(upperText) < expr::leadingNumber(lowerText);
}

PageAnswer sumAction(const std::string& formula, const std::string& upperText, const std::string& lowerText,
                     WorkControl& control) {
    return rangeAction(formula, upperText, lowerText, Accumulation::Sum, control);
}

PageAnswer productAction(const std::string& formula, const std::string& upperText, const std::string& lowerText,
                         WorkControl& control) {
    return rangeAction(formula, upperText, lowerText, Accumulation::Product, control);
}

PageAnswer integralAction(const std::string& formula, const std::string& aText, const std::string& bText,
                          const std::string& intervalsText, WorkControl& control) {
    PageAnswer answer;
    const double intervals = expr::leadingNumber(intervalsText);
    const double start = expr::leadingNumber(bText);
    const double end = expr::leadingNumber(aText);
    const expr::DecodedProgram decoded = prepare(formula, answer);
    settle(answer, trapezoidIntegral(decoded, start, end, intervals, control));
    return answer;
}

PageAnswer derivativeAction(const std::string& formula, const std::string& pointText, const std::string& nText) {
    PageAnswer answer;
    const expr::DecodedProgram decoded = prepare(formula, answer);
    const double n = expr::leadingNumber(nText);
    const double point = expr::leadingNumber(pointText);
    answer.result = centralDerivative(decoded, point, n);
    // n = 0 cannot even form the step: the box keeps its text, silently.
    if (n != 0) answer.resultText = resultBoxText(answer.result);
    return answer;
}

}  // namespace numerelle::calculus
