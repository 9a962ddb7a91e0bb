#include "common/failure.h"

namespace numerelle {

std::string failureText(FailureKind kind) {
    switch (kind) {
        case FailureKind::None:
            return "";
        case FailureKind::DivisionByZero:
            return "除数为零";
        case FailureKind::Overflow:
            return "数值溢出";
        case FailureKind::InvalidArgument:
            return "参数无效";
        case FailureKind::OutOfMemory:
            return "内存不够";
        case FailureKind::Malformed:
            return "式子无法计算";
        case FailureKind::Brackets:
            return "括号错了!";
        case FailureKind::Cancelled:
            return "计算已取消";
        case FailureKind::Unexpected:
            return "计算时出了错，无法完成";
    }
    return "计算时出了错，无法完成";
}

std::vector<std::string> formulaFailureMessages(FailureKind kind) {
    if (kind == FailureKind::Brackets) return {failureText(kind), "式子有问题"};
    return {"式子有问题"};
}

}  // namespace numerelle
