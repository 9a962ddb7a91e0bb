#pragma once
// The texts the matrix and equation pages (and their command-line twins)
// show, in one place so both say the same.
#include <limits>
#include <string>

#include "common/failure.h"
#include "matrix/jz1.h"

namespace numerelle::matrix {

// The eigenvalue button's deflation tolerance: machine precision, so that
// every printed digit is worth having.
inline constexpr double kEigenvalueTolerance = std::numeric_limits<double>::epsilon();

inline constexpr const char* kMissingMatrix = "矩阵不存在，请重新输入！";
inline constexpr const char* kWrongElementCount = "矩阵元素数目不对，请重新输入！";
inline constexpr const char* kCorruptFile = "矩阵文件已损坏，无法读取！";
inline constexpr const char* kNotAMatrixFile = "这个名称的矩阵文件不是普通文件，无法读取！";
inline constexpr const char* kEmptyName = "请输入矩阵的名称！";
inline constexpr const char* kForbiddenName =
    "矩阵名称不能含有 / \\ : * ? \" < > | 或控制字符，也不能只由点组成，请重新输入！";
inline constexpr const char* kLongName = "矩阵名称太长，请重新输入！";
inline constexpr const char* kSaveFailed = "矩阵保存失败，原来的文件没有改变！";
inline constexpr const char* kNoUniqueSolution = "无解或有无穷多的解";
inline constexpr const char* kNoConvergence = "迭代200次仍不收敛，求不出全部特征值！";
inline constexpr const char* kLeadingZero = "最高次项的系数不能为0！";
inline constexpr const char* kRootsNoConvergence = "求根的迭代不收敛！";

// The message for an outcome other than Done; `noConvergence` is the page's
// own text for an iteration that did not settle. Every other outcome is an
// overflow.
inline std::string outcomeMessage(Outcome outcome, const char* noConvergence = kNoConvergence) {
    switch (outcome) {
        case Outcome::Singular:
            return kNoUniqueSolution;
        case Outcome::NoConvergence:
            return noConvergence;
        default:
            return failureText(FailureKind::Overflow);
    }
}

}  // namespace numerelle::matrix
