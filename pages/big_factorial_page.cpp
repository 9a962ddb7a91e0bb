// "大数阶乘": n! exactly, for n up to 99999.
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

QWidget* buildBigFactorialPage(PageContext& context) {
    QGroupBox* frame = makePageFrame("Frame3", QStringLiteral("大数阶乘"));
    UiServices& ui = context.ui;
    LongWorkRunner& work = context.work;

    QLineEdit* n = makeInputBox("Text5_0", QStringLiteral("1"));
    attachDigitKeyFilter(n);
    n->setMaximumWidth(120);
    auto* bang = new QLabel(QStringLiteral("！"));
    bang->setObjectName(QStringLiteral("Label6"));
    auto* compute = new QPushButton(QStringLiteral("="));
    compute->setObjectName(QStringLiteral("Command4"));
    compute->setMaximumWidth(40);
    QPlainTextEdit* result = makeResultBox("Text6", QStringLiteral("0"), 6);
    auto* lengthButton = new QPushButton(QStringLiteral("结果长度"));
    lengthButton->setObjectName(QStringLiteral("Command5"));
    QLineEdit* length = makeInputBox("Text7", QString());
    length->setReadOnly(true);
    length->setMaximumWidth(120);
    auto* digits = new QLabel(QStringLiteral("位数"));
    digits->setObjectName(QStringLiteral("Label7_0"));

    auto* grid = new QGridLayout(frame);
    grid->addWidget(n, 0, 0);
    grid->addWidget(bang, 0, 1);
    grid->addWidget(compute, 0, 2);
    grid->addWidget(result, 1, 0, 1, 6);
    grid->addWidget(lengthButton, 2, 3);
    grid->addWidget(length, 2, 4);
    grid->addWidget(digits, 2, 5);
    grid->setColumnStretch(2, 1);

    attachLengthButton(lengthButton, result, length);
    QObject::connect(compute, &QPushButton::clicked, frame, [=, &ui, &work] {
        const std::string text = n->text().toStdString();
        runPageAction(
            work, ui, compute, QStringLiteral("正在计算阶乘…"),
            [text](numerelle::WorkControl& control) { return numerelle::bignum::computeFactorial(text, control); },
            result);
    });
    return frame;
}
