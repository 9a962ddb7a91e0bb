#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>

#include "app/shell_pages.h"
#include "common/number_text.h"
#include "expr/jxjs.h"
#include "pages/pages.h"
#include "widgets/formula_field.h"
#include "widgets/ui_services.h"

QWidget* buildQuickCalculator(PageContext& context) {
    auto* frame = new QGroupBox(QStringLiteral("快速计算"));
    frame->setObjectName(QStringLiteral("QuickCalculator"));
    auto* layout = new QHBoxLayout(frame);
    auto* formula = new QLineEdit(QStringLiteral("0"));
    formula->setObjectName(QStringLiteral("Text64"));
    auto* equals = new QPushButton(QStringLiteral("="));
    equals->setObjectName(QStringLiteral("Command37"));
    auto* result = new QLineEdit(QStringLiteral("0"));
    result->setObjectName(QStringLiteral("Text65"));
    layout->addWidget(formula, 3);
    layout->addWidget(equals);
    layout->addWidget(result, 2);
    fitNumberText(result);
    computeOnEnter(formula, equals);

    UiServices& ui = context.ui;
    QObject::connect(equals, &QPushButton::clicked, frame, [formula, result, &ui] {
        using namespace numerelle::expr;
        const Evaluation value = evaluateFormula(formula->text().toStdString());
        if (!value.ok()) {
            for (const std::string& message : numerelle::formulaFailureMessages(value.failure))
                ui.message(formula->window(), QString::fromStdString(message));
            formula->setFocus(Qt::OtherFocusReason);
            result->clear();
            return;
        }
        showText(result, QString::fromStdString(numerelle::numberText(value.value)));
    });
    return frame;
}
