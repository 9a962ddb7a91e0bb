#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "common/number_text.h"
#include "numtools/logarithm.h"
#include "pages/page_context.h"
#include "pages/pages.h"
#include "widgets/formula_field.h"
#include "widgets/labels.h"
#include "widgets/ui_services.h"

namespace {

QString text(const std::string& value) {
    return QString::fromStdString(value);
}

}  // namespace

QWidget* pages::buildLogarithmPage(PageContext& context) {
    QGroupBox* frame = makePageFrame("Frame15", QStringLiteral("对数计算"));

    auto* name = new QLabel(QStringLiteral("Log"));
    name->setObjectName(QStringLiteral("Label50"));
    name->setStyleSheet(QStringLiteral("color: red; font-size: 20px; font-weight: bold;"));
    auto* number = new QLineEdit(QStringLiteral("1"));
    number->setObjectName(QStringLiteral("Text47_0"));
    auto* base = new QLineEdit(QStringLiteral("10"));
    base->setObjectName(QStringLiteral("Text47_1"));
    base->setFixedWidth(64);
    QFont small = base->font();
    small.setPointSizeF(small.pointSizeF() * 0.85);
    base->setFont(small);
    auto* equals = new QPushButton(QStringLiteral("="));
    equals->setObjectName(QStringLiteral("Command25"));
    equals->setFixedWidth(40);
    auto* result = new QLineEdit(QStringLiteral("0"));
    result->setObjectName(QStringLiteral("Text49"));
    result->setReadOnly(true);
    result->setStyleSheet(QStringLiteral("background: palette(window);"));
    fitNumberText(result);
    auto* natural = new QCheckBox(QStringLiteral("以e为底数"));
    natural->setObjectName(QStringLiteral("Check1"));

    // Written like the formula log_b x: the base sits right after "Log",
    // dropped by half a box as a subscript; the number follows on the line
    // of "Log", then "=" and the result.
    const int drop = number->sizeHint().height() / 2;
    auto* subscript = new QWidget;
    auto* subscriptLayout = new QVBoxLayout(subscript);
    subscriptLayout->setContentsMargins(0, drop, 0, 0);
    subscriptLayout->addWidget(base);
    auto* formula = new QHBoxLayout;
    formula->setSpacing(2);
    formula->addWidget(name, 0, Qt::AlignTop);
    formula->addWidget(subscript, 0, Qt::AlignTop);
    formula->addSpacing(4);
    formula->addWidget(number, 3, Qt::AlignTop);
    formula->addSpacing(6);
    formula->addWidget(equals, 0, Qt::AlignTop);
    formula->addSpacing(6);
    formula->addWidget(result, 2, Qt::AlignTop);
    auto* column = new QVBoxLayout(frame);
    column->addLayout(formula);
    column->addWidget(natural);
    column->addStretch();

    QObject::connect(natural, &QCheckBox::toggled, base, [base](bool on) { base->setEnabled(!on); });

    UiServices& ui = context.ui;
    auto afterCommit = [number, base, &ui](QLineEdit* box) {
        showText(box, text(numerelle::numberText(std::fabs(boxNumber(box)))));
        using numerelle::numtools::LogarithmInputCheck;
        switch (numerelle::numtools::checkLogarithmInputs(boxNumber(number), boxNumber(base))) {
            case LogarithmInputCheck::ResetBase:
                ui.message(base->window(), QStringLiteral("底数不能为0或1"));
                showText(base, QStringLiteral("10"));
                break;
            case LogarithmInputCheck::ResetNumber:
                ui.message(number->window(), QStringLiteral("增数不能为0！"));
                showText(number, QStringLiteral("1"));
                break;
            case LogarithmInputCheck::Fine:
                break;
        }
    };
    attachFormulaField(number, ui, [afterCommit, number] { afterCommit(number); });
    attachFormulaField(base, ui, [afterCommit, base] { afterCommit(base); });
    computeOnEnter(number, equals);
    computeOnEnter(base, equals);

    QObject::connect(equals, &QPushButton::clicked, frame, [number, base, natural, result, &ui] {
        const auto value =
            numerelle::numtools::computeLogarithm(boxNumber(number), boxNumber(base), natural->isChecked());
        if (!value.ok()) {
            ui.message(result->window(), text(numerelle::failureText(value.failure)));
            return;
        }
        showText(result, text(numerelle::numberText(value.value)));
    });
    return frame;
}
