// "大数阶乘": n! exactly, for n up to 99999.
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "pages/big_page_support.h"
#include "pages/page_context.h"
#include "pages/pages.h"
#include "widgets/formula_field.h"
#include "widgets/labels.h"

QWidget* pages::buildBigFactorialPage(PageContext& context) {
    QGroupBox* frame = makePageFrame("Frame3", QStringLiteral("大数阶乘"));
    UiServices& ui = context.ui;
    LongWorkRunner& work = context.work;

    QLineEdit* n = makeNumberBox("Text5_0", QStringLiteral("1"));
    attachDigitKeyFilter(n);
    n->setMaximumWidth(120);
    auto* bang = new QLabel(QStringLiteral("！"));
    bang->setObjectName(QStringLiteral("Label6"));
    QPushButton* compute = makeEqualsButton("Command4");
    ResultView* result = makeResultBox("Text6", QStringLiteral("0"), ui, 6);

    auto* grid = new QGridLayout(frame);
    grid->addWidget(n, 0, 0);
    grid->addWidget(bang, 0, 1);
    grid->addWidget(compute, 0, 2, Qt::AlignLeft);
    grid->addWidget(result, 1, 0, 1, 3);
    grid->addLayout(makeLengthRow("Command5", "Text7", "Label7_0", result), 2, 0, 1, 3);
    grid->setColumnStretch(2, 1);

    computeOnEnter(n, compute);
    QObject::connect(compute, &QPushButton::clicked, frame, [=, &ui, &work] {
        const std::string text = inputText(n).toStdString();
        runPageAction(
            work, ui, compute, QStringLiteral("正在计算阶乘…"),
            [text](numerelle::WorkControl& control) { return numerelle::bignum::computeFactorial(text, control); },
            result);
    });
    return frame;
}
