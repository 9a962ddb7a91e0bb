// "大数乘方": a signed decimal of any length to a whole power.
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

#include "app/page_context.h"
#include "pages/big_page_support.h"
#include "pages/page_frame.h"
#include "pages/pages.h"

using namespace bigpages;

QWidget* buildBigPowerPage(PageContext& context) {
    QGroupBox* frame = makePageFrame("Frame4", QStringLiteral("大数乘方"));
    UiServices& ui = context.ui;
    LongWorkRunner& work = context.work;

    QLineEdit* base = makeInputBox("Text8", QStringLiteral("1"));
    attachDecimalKeyFilter(base);
    // The exponent sits high, as it is written.
    QLineEdit* exponent = makeInputBox("Text5_1", QStringLiteral("1"));
    attachDigitKeyFilter(exponent);
    exponent->setMaximumWidth(90);
    auto* compute = new QPushButton(QStringLiteral("="));
    compute->setObjectName(QStringLiteral("Command6"));
    compute->setMaximumWidth(40);
    QPlainTextEdit* result = makeResultBox("Text9", QStringLiteral("0"), 6);
    auto* lengthButton = new QPushButton(QStringLiteral("结果长度"));
    lengthButton->setObjectName(QStringLiteral("Command7"));
    QLineEdit* length = makeInputBox("Text10", QString());
    length->setReadOnly(true);
    length->setMaximumWidth(120);
    auto* digits = new QLabel(QStringLiteral("位数"));
    digits->setObjectName(QStringLiteral("Label7_1"));

    auto* grid = new QGridLayout(frame);
    grid->addWidget(exponent, 0, 1);
    grid->addWidget(base, 1, 0);
    grid->addWidget(compute, 1, 2);
    grid->addWidget(result, 2, 0, 1, 6);
    grid->addWidget(lengthButton, 3, 3);
    grid->addWidget(length, 3, 4);
    grid->addWidget(digits, 3, 5);
    grid->setColumnStretch(0, 1);

    attachLengthButton(lengthButton, result, length);
    QObject::connect(compute, &QPushButton::clicked, frame, [=, &ui, &work] {
        const std::string b = base->text().toStdString(), e = exponent->text().toStdString();
        runPageAction(
            work, ui, compute, QStringLiteral("正在计算乘方…"),
            [b, e](numerelle::WorkControl& control) { return numerelle::bignum::computePower(b, e, control); },
            result);
    });
    return frame;
}
