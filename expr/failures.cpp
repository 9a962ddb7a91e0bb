#include "expr/jxjs.h"

namespace numerelle::expr {

std::string failureDescription(Failure failure) {
    switch (failure) {
        case Failure::None: return "";
        case Failure::DivisionByZero: return "除数为零";
        case Failure::Overflow: return "数值溢出";
        case Failure::InvalidArgument: return "参数无效";
        case Failure::MalformedProgram: return "式子无法计算";
        case Failure::Brackets: return "括号错了";
    }
    return "式子无法计算";
}

}  // namespace numerelle::expr
