#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "app/formula_field.h"
#include "app/page_context.h"
#include "app/ui_services.h"
#include "numtools/continued_fraction.h"
#include "pages/page_frame.h"
#include "pages/pages.h"

QWidget* buildFractionPage(PageContext& context) {
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
    for (QLineEdit* box : {whole, numerator, denominator}) box->setAlignment(Qt::AlignCenter);

    // Written like a mixed number: the whole part beside a fraction whose
    // numerator and denominator sit above and below the bar.
    grid->addWidget(prompt, 0, 0, 1, 4);
    grid->addWidget(decimal, 2, 0);
    grid->addWidget(convert, 2, 1);
    grid->addWidget(whole, 2, 2);
    grid->addWidget(numerator, 1, 3);
    grid->addWidget(bar, 2, 3);
    grid->addWidget(denominator, 3, 3);
    grid->setColumnStretch(0, 2);
    grid->setColumnStretch(2, 1);
    grid->setColumnStretch(3, 2);

    UiServices& ui = context.ui;
    attachFormulaField(decimal, ui);

    QObject::connect(convert, &QPushButton::clicked, frame, [=, &ui] {
        const auto out = numerelle::numtools::fractionPageResult(boxNumber(decimal));
        if (out.wholePartWritten) whole->setText(QString::fromStdString(out.wholePart));
        if (out.numeratorWritten) numerator->setText(QString::fromStdString(out.numerator));
        denominator->setText(QString::fromStdString(out.denominator));
        if (out.beep) ui.beep();
    });
    return frame;
}
