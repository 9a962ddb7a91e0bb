// "排列组合（支持大数计算）": P(n, m) and C(n, m), each written as the letter
// with m above n.
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "pages/big_page_support.h"
#include "pages/page_context.h"
#include "pages/pages.h"
#include "widgets/formula_field.h"
#include "widgets/labels.h"

namespace {

QLabel* letter(const char* name, const QString& text) {
    QLabel* label = makeLabel(name, text);
    label->setStyleSheet(QStringLiteral("color: blue; font-size: 24px; font-weight: bold;"));
    return label;
}

QLineEdit* countBox(const char* name) {
    QLineEdit* box = makeNumberBox(name, QStringLiteral("1"));
    attachDigitKeyFilter(box);
    box->setMaximumWidth(110);
    return box;
}

}  // namespace

QWidget* pages::buildPermutationPage(PageContext& context) {
    QGroupBox* frame = makePageFrame("Frame16", QStringLiteral("排列组合（支持大数计算）"));
    UiServices& ui = context.ui;
    LongWorkRunner& work = context.work;

    QLineEdit* pUpper = countBox("Text48_0");
    QLineEdit* pLower = countBox("Text48_1");
    QPushButton* permute = makeEqualsButton("Command26");
    ResultView* permutations = makeResultBox("Text50", QStringLiteral("0"), ui, 2);

    QLineEdit* cUpper = countBox("Text48_2");
    QLineEdit* cLower = countBox("Text48_3");
    QPushButton* combine = makeEqualsButton("Command27");
    ResultView* combinations = makeResultBox("Text51", QStringLiteral("1"), ui, 2);

    auto* grid = new QGridLayout(frame);
    grid->addWidget(letter("Label13", QStringLiteral("P")), 0, 0, 2, 1);
    grid->addWidget(pUpper, 0, 1);
    grid->addWidget(pLower, 1, 1);
    grid->addWidget(permute, 0, 2, 2, 1);
    grid->addWidget(permutations, 0, 3, 2, 1);
    grid->addWidget(letter("Label52", QStringLiteral("C")), 2, 0, 2, 1);
    grid->addWidget(cUpper, 2, 1);
    grid->addWidget(cLower, 3, 1);
    grid->addWidget(combine, 2, 2, 2, 1);
    grid->addWidget(combinations, 2, 3, 2, 1);
    grid->setColumnStretch(3, 1);

    for (QLineEdit* box : {pUpper, pLower}) computeOnEnter(box, permute);
    for (QLineEdit* box : {cUpper, cLower}) computeOnEnter(box, combine);
    QObject::connect(permute, &QPushButton::clicked, frame, [=, &ui, &work] {
        const std::string m = inputText(pUpper).toStdString(), n = inputText(pLower).toStdString();
        runPageAction(
            work, ui, permute, QStringLiteral("正在计算排列数…"),
            [m, n](numerelle::WorkControl& control) { return numerelle::bignum::computePermutation(m, n, control); },
            permutations);
    });
    QObject::connect(combine, &QPushButton::clicked, frame, [=, &ui, &work] {
        const std::string m = inputText(cUpper).toStdString(), n = inputText(cLower).toStdString();
        runPageAction(
            work, ui, combine, QStringLiteral("正在计算组合数…"),
            [m, n](numerelle::WorkControl& control) { return numerelle::bignum::computeCombination(m, n, control); },
            combinations);
    });
    return frame;
}
