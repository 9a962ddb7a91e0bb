// "特大数加减": sum and difference of two signed decimals of any length.
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "pages/big_page_support.h"
#include "pages/page_context.h"
#include "pages/pages.h"
#include "widgets/formula_field.h"
#include "widgets/labels.h"

QWidget* pages::buildBigAddPage(PageContext& context) {
    QGroupBox* frame = makePageFrame("Frame1", QStringLiteral("特大数加减"));
    UiServices& ui = context.ui;
    LongWorkRunner& work = context.work;

    QLineEdit* addend1 = makeDecimalBox("Text1_0", QStringLiteral("0"), ui);
    QLineEdit* addend2 = makeDecimalBox("Text1_1", QStringLiteral("0"), ui);
    QPushButton* add = makeEqualsButton("Command1");
    ResultView* sum = makeResultBox("Text2", QStringLiteral("0"), ui);

    QLineEdit* minuend = makeDecimalBox("Text1_3", QStringLiteral("0"), ui);
    QLineEdit* subtrahend = makeDecimalBox("Text1_2", QStringLiteral("0"), ui);
    QPushButton* subtract = makeEqualsButton("Command2");
    ResultView* difference = makeResultBox("Text3", QStringLiteral("0"), ui);

    auto* grid = new QGridLayout(frame);
    grid->addWidget(addend1, 0, 0);
    grid->addWidget(makeOperatorLabel("Label2", QStringLiteral("+")), 0, 1);
    grid->addWidget(addend2, 0, 2);
    grid->addWidget(add, 0, 3);
    grid->addWidget(sum, 1, 0, 1, 4);
    grid->addWidget(minuend, 2, 0);
    grid->addWidget(makeOperatorLabel("Label3", QStringLiteral("-")), 2, 1);
    grid->addWidget(subtrahend, 2, 2);
    grid->addWidget(subtract, 2, 3);
    grid->addWidget(difference, 3, 0, 1, 4);
    grid->setColumnStretch(0, 1);
    grid->setColumnStretch(2, 1);

    for (QLineEdit* box : {addend1, addend2}) computeOnEnter(box, add);
    for (QLineEdit* box : {minuend, subtrahend}) computeOnEnter(box, subtract);
    QObject::connect(add, &QPushButton::clicked, frame, [=, &ui, &work] {
        const std::string a = inputText(addend1).toStdString(), b = inputText(addend2).toStdString();
        runPageAction(
            work, ui, add, QStringLiteral("正在计算加法…"),
            [a, b](numerelle::WorkControl&) { return numerelle::bignum::computeSum(a, b); }, sum);
    });
    QObject::connect(subtract, &QPushButton::clicked, frame, [=, &ui, &work] {
        const std::string a = inputText(minuend).toStdString(), b = inputText(subtrahend).toStdString();
        runPageAction(
            work, ui, subtract, QStringLiteral("正在计算减法…"),
            [a, b](numerelle::WorkControl&) { return numerelle::bignum::computeDifference(a, b); }, difference);
    });
    return frame;
}
