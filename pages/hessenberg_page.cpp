// Frame21 "工具": reduce the current matrix to upper Hessenberg form, and
// show all its eigenvalues.
#include <QHBoxLayout>
#include <QPushButton>
#include <memory>

#include "matrix/jz1.h"
#include "matrix/messages.h"
#include "pages/matrix_page_support.h"
#include "pages/page_state.h"
#include "pages/pages.h"
#include "widgets/labels.h"
#include "widgets/ui_services.h"

namespace {

using namespace numerelle::matrix;
using pages::text;

void reduce(PageContext context) {
    const Store input = context.state.matrixStore;
    auto a = std::make_shared<Matrix>(storeToMatrix(input));
    auto outcome = std::make_shared<Outcome>(Outcome::Done);
    pages::runJob(
        context, a->order() > 60, QStringLiteral("正在转化为H型矩阵……"),
        [a, outcome](numerelle::WorkControl& control) { *outcome = toHessenberg(*a, &control); },
        [context, input, a, outcome](bool cancelled) {
            if (cancelled || *outcome == Outcome::Cancelled) return;
            if (*outcome != Outcome::Done) {
                context.ui.message(context.window, text(outcomeMessage(*outcome)));
                return;
            }
            if (context.state.matrixStore != input) return;
            context.state.matrixStore = matrixToStore(*a);
            if (context.state.refreshMatrixGrid) context.state.refreshMatrixGrid();
        });
}

void showEigenvalues(PageContext context) {
    // The QR iteration needs Hessenberg form: reduce a copy first, so the
    // current matrix stays as it is.
    auto a = std::make_shared<Matrix>(storeToMatrix(context.state.matrixStore));
    auto values = std::make_shared<Eigenvalues>();
    pages::runJob(
        context, a->order() > 30, QStringLiteral("正在求特征值……"),
        [a, values](numerelle::WorkControl& control) {
            const Outcome reduced = toHessenberg(*a, &control);
            if (reduced != Outcome::Done) {
                values->outcome = reduced;
                return;
            }
            *values = hessenbergEigenvalues(*a, kEigenvalueTolerance, &control);
        },
        [context, values](bool cancelled) {
            if (cancelled || values->outcome == Outcome::Cancelled) return;
            const std::string shown =
                values->outcome == Outcome::Done ? eigenvalueText(*values) : outcomeMessage(values->outcome);
            context.ui.message(context.window, text(shown));
        });
}

}  // namespace

QWidget* pages::buildHessenbergPage(PageContext& context) {
    auto* frame = makePageFrame("Frame21", QStringLiteral("工具"));
    auto* command33 = new QPushButton(QStringLiteral("转化为H型矩阵"));
    command33->setObjectName(QStringLiteral("Command33"));
    auto* command34 = new QPushButton(QStringLiteral("求特征值"));
    command34->setObjectName(QStringLiteral("Command34"));
    auto* layout = new QHBoxLayout(frame);
    layout->addWidget(command33);
    layout->addWidget(command34);
    layout->addStretch(1);
    QObject::connect(command33, &QPushButton::clicked, frame, [context] { reduce(context); });
    QObject::connect(command34, &QPushButton::clicked, frame, [context] { showEigenvalues(context); });
    return frame;
}
