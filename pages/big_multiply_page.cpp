// "特大实数乘法": exact product of two signed decimals of any length.
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "pages/big_page_support.h"
#include "pages/page_context.h"
#include "pages/pages.h"
#include "widgets/formula_field.h"
#include "widgets/labels.h"

QWidget* pages::buildBigMultiplyPage(PageContext& context) {
    QGroupBox* frame = makePageFrame("Frame2", QStringLiteral("特大实数乘法"));
    UiServices& ui = context.ui;
    LongWorkRunner& work = context.work;

    QLineEdit* factor1 = makeDecimalBox("Text1_4", QStringLiteral("0"), ui);
    QLineEdit* factor2 = makeDecimalBox("Text1_5", QStringLiteral("0"), ui);
    QLabel* times = makeOperatorLabel("Label4", QStringLiteral("*"));
    QPushButton* multiply = makeEqualsButton("Command3");
    ResultView* product = makeResultBox("Text4", QStringLiteral("0"), ui, 7);

    auto* grid = new QGridLayout(frame);
    grid->addWidget(factor1, 0, 0);
    grid->addWidget(times, 0, 1);
    grid->addWidget(factor2, 0, 2);
    grid->addWidget(multiply, 0, 3);
    grid->addWidget(product, 1, 0, 1, 4);
    grid->setColumnStretch(0, 1);
    grid->setColumnStretch(2, 1);

    for (QLineEdit* box : {factor1, factor2}) computeOnEnter(box, multiply);
    QObject::connect(multiply, &QPushButton::clicked, frame, [=, &ui, &work] {
        const std::string a = inputText(factor1).toStdString(), b = inputText(factor2).toStdString();
        runPageAction(
            work, ui, multiply, QStringLiteral("正在计算乘法…"),
            [a, b](numerelle::WorkControl& control) { return numerelle::bignum::computeProduct(a, b, control); },
            product);
    });
    return frame;
}
