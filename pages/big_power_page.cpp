// "大数乘方": a signed decimal of any length to a whole power.
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "pages/big_page_support.h"
#include "pages/page_context.h"
#include "pages/pages.h"
#include "widgets/formula_field.h"
#include "widgets/labels.h"

QWidget* pages::buildBigPowerPage(PageContext& context) {
    QGroupBox* frame = makePageFrame("Frame4", QStringLiteral("大数乘方"));
    UiServices& ui = context.ui;
    LongWorkRunner& work = context.work;

    QLineEdit* base = makeNumberBox("Text8", QStringLiteral("1"));
    attachDecimalKeyFilter(base);
    QLineEdit* exponent = makeNumberBox("Text5_1", QStringLiteral("1"));
    attachDigitKeyFilter(exponent);
    exponent->setMaximumWidth(90);
    QPushButton* compute = makeEqualsButton("Command6");
    ResultView* result = makeResultBox("Text9", QStringLiteral("0"), ui, 6);

    // The exponent sits high, just right of the base, as it is written.
    auto* formula = new QGridLayout;
    formula->addWidget(exponent, 0, 1);
    formula->addWidget(base, 1, 0);
    formula->addWidget(compute, 1, 2);
    formula->setColumnStretch(0, 1);
    formula->setVerticalSpacing(0);

    auto* column = new QVBoxLayout(frame);
    column->addLayout(formula);
    column->addWidget(result);
    column->addLayout(makeLengthRow("Command7", "Text10", "Label7_1", result));

    for (QLineEdit* box : {base, exponent}) computeOnEnter(box, compute);
    QObject::connect(compute, &QPushButton::clicked, frame, [=, &ui, &work] {
        const std::string b = inputText(base).toStdString(), e = inputText(exponent).toStdString();
        runPageAction(
            work, ui, compute, QStringLiteral("正在计算乘方…"),
            [b, e](numerelle::WorkControl& control) { return numerelle::bignum::computePower(b, e, control); }, result);
    });
    return frame;
}
