#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "numtools/factorisation.h"
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

QWidget* pages::buildFactorisationPage(PageContext& context) {
    QGroupBox* frame = makePageFrame("Frame5", QStringLiteral("因式分解"));
    auto* grid = new QGridLayout(frame);

    auto* prompt = new QLabel(QStringLiteral("请输入一个正整数或一个式子"));
    prompt->setObjectName(QStringLiteral("Label8"));
    auto* number = new QLineEdit(QStringLiteral("1"));
    number->setObjectName(QStringLiteral("Text11"));
    auto* start = new QPushButton(QStringLiteral("开始分解因式"));
    start->setObjectName(QStringLiteral("Command8"));
    auto* result = new QLineEdit;
    result->setObjectName(QStringLiteral("Text12"));
    result->setReadOnly(true);

    grid->addWidget(prompt, 0, 0, 1, 2);
    grid->addWidget(number, 1, 0);
    grid->addWidget(start, 1, 1);
    grid->addWidget(result, 2, 0, 1, 2);
    grid->setColumnStretch(0, 1);

    UiServices& ui = context.ui;
    // Typed digits stay as they are, so that all of them are factorised (or
    // found too large); anything else is a formula, rounded to a whole number.
    // Typed digits and a formula's whole value keep every digit up to 10^16,
    // so the rewrite works on the typed text rather than on the 15-digit
    // text an ordinary formula field would leave.
    onFocusLost(number, [number, &ui] {
        const auto rewritten = numerelle::numtools::rewriteFactorisationInput(number->text().toStdString());
        if (rewritten.failure != numerelle::FailureKind::None) {
            commitFormulaField(number, ui);  // shows the field's messages and gives the focus back
            return;
        }
        showText(number, text(rewritten.text));
    });

    computeOnEnter(number, start);

    // At most a few thousand modular products even for 16 digits: no need
    // to leave the user-interface thread.
    QObject::connect(start, &QPushButton::clicked, frame, [number, result, &ui] {
        const auto line = numerelle::numtools::factorisationText(number->text().toStdString());
        showText(result, text(line.text));
        if (line.beep) ui.beep();
    });
    return frame;
}
