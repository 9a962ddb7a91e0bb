#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "numtools/continued_fraction.h"
#include "pages/page_context.h"
#include "pages/pages.h"
#include "widgets/formula_field.h"
#include "widgets/labels.h"
#include "widgets/ui_services.h"

QWidget* pages::buildFractionPage(PageContext& context) {
    QGroupBox* frame = makePageFrame("Frame6", QStringLiteral("将小数转化为分数"));
    auto* grid = new QGridLayout(frame);

    auto* prompt = new QLabel(QStringLiteral("请输入一个数或一个式子"));
    prompt->setObjectName(QStringLiteral("Label8"));
    auto* decimal = new QLineEdit(QStringLiteral("1"));
    decimal->setObjectName(QStringLiteral("Text13"));
    auto* convert = new QPushButton(QStringLiteral("="));
    convert->setObjectName(QStringLiteral("Command9"));
    convert->setMaximumWidth(40);
    auto* whole = new QLineEdit(QStringLiteral("0"));
    whole->setObjectName(QStringLiteral("Text34"));
    auto* numerator = new QLineEdit(QStringLiteral("1"));
    numerator->setObjectName(QStringLiteral("Text14"));
    auto* bar = new QFrame;
    bar->setObjectName(QStringLiteral("Line1"));
    bar->setFrameShape(QFrame::HLine);
    bar->setFrameShadow(QFrame::Plain);
    bar->setLineWidth(2);
    auto* denominator = new QLineEdit(QStringLiteral("1"));
    denominator->setObjectName(QStringLiteral("Text15"));
    for (QLineEdit* box : {whole, numerator, denominator}) {
        box->setAlignment(Qt::AlignCenter);
        fitNumberText(box);
    }

    // The number and "=" on one line; under them, written like a mixed
    // number, the whole part beside a fraction whose numerator and
    // denominator sit above and below the bar. Each part can be a number
    // text of 15 digits with an exponent, too wide for one line of four.
    grid->addWidget(prompt, 0, 0, 1, 3);
    grid->addWidget(decimal, 1, 0, 1, 2);
    grid->addWidget(convert, 1, 2);
    grid->addWidget(whole, 3, 0);
    grid->addWidget(numerator, 2, 1, 1, 2);
    grid->addWidget(bar, 3, 1, 1, 2);
    grid->addWidget(denominator, 4, 1, 1, 2);
    grid->setColumnStretch(0, 1);
    grid->setColumnStretch(1, 1);

    UiServices& ui = context.ui;
    attachFormulaField(decimal, ui);
    computeOnEnter(decimal, convert);

    QObject::connect(convert, &QPushButton::clicked, frame, [=, &ui] {
        const auto out = numerelle::numtools::fractionPageResult(boxNumber(decimal));
        if (out.wholePartWritten) showText(whole, QString::fromStdString(out.wholePart));
        if (out.numeratorWritten) showText(numerator, QString::fromStdString(out.numerator));
        showText(denominator, QString::fromStdString(out.denominator));
        if (out.beep) ui.beep();
    });
    return frame;
}
