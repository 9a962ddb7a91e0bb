// Frame8 "累乘与累加": Σ and Π of a formula in x over whole steps. Both
// buttons run through the long-work runner, so a range of a billion points
// keeps the window alive and can be cancelled.
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "calculus/page_actions.h"
#include "common/number_text.h"
#include "pages/calculus_page_support.h"
#include "pages/page_context.h"
#include "pages/pages.h"
#include "widgets/formula_field.h"
#include "widgets/labels.h"
#include "widgets/long_work.h"
#include "widgets/ui_services.h"

namespace {

using numerelle::calculus::PageAnswer;
using pages::box;

struct RangeBlock {
    QLineEdit* formula;
    QLineEdit* upper;
    QLineEdit* lower;
    QPushButton* button;
    QLineEdit* result;
};

// One block: the upper range box above the sign, "x=" and the lower box
// below it, the formula to its right, then "=" and the result.
RangeBlock addBlock(QGridLayout* grid, int row, int index, const QString& sign, const char* formulaName,
                    const char* rangeName, const char* buttonName, const char* resultName) {
    const QString range = QString::fromLatin1(rangeName);
    RangeBlock block{box(QString::fromLatin1(formulaName), {}, 220), box(range + "_0", QStringLiteral("1"), 70),
                     box(range + "_1", QStringLiteral("1"), 70), new QPushButton(QStringLiteral("=")),
                     box(QString::fromLatin1(resultName), {}, 220)};
    block.button->setObjectName(QString::fromLatin1(buttonName));
    block.button->setMaximumWidth(40);
    block.upper->setMaximumWidth(120);
    block.lower->setMaximumWidth(120);
    fitNumberText(block.result);
    for (QLineEdit* edit : {block.formula, block.upper, block.lower}) computeOnEnter(edit, block.button);

    auto* lowerRow = new QHBoxLayout;
    auto* startLabel = new QLabel(QStringLiteral("x="));
    startLabel->setObjectName(QStringLiteral("Label14_%1").arg(index));
    lowerRow->addWidget(startLabel);
    lowerRow->addWidget(block.lower);

    // Right-aligned: the two range boxes stand one above the other.
    grid->addWidget(block.upper, row, 0, Qt::AlignRight);
    grid->addWidget(pages::bigSign(sign, QStringLiteral("Label12_%1").arg(index), 3.5), row + 1, 0);
    grid->addLayout(lowerRow, row + 2, 0);
    grid->addWidget(block.formula, row + 1, 1);
    grid->addWidget(block.button, row + 1, 2);
    grid->addWidget(block.result, row + 1, 3);
    return block;
}

// Leaving either range box warns when the numbers are upside down; the
// texts stay and the computation may still run (over nothing).
void watchRangeOrder(const RangeBlock& block, PageContext& context) {
    auto check = [upper = block.upper, lower = block.lower, context] {
        if (numerelle::calculus::rangeOrderWrong(upper->text().toStdString(), lower->text().toStdString()))
            context.ui.message(context.window, QString::fromUtf8(numerelle::calculus::rangeOrderMessage));
    };
    for (QLineEdit* edit : {block.upper, block.lower}) {
        attachSignedNumericFilter(edit);
        onFocusLost(edit, check);
    }
}

using RangeAction = PageAnswer (*)(const std::string&, const std::string&, const std::string&, numerelle::WorkControl&);

void wireButton(const RangeBlock& block, PageContext& context, RangeAction action, const QString& label,
                bool showSeconds) {
    QObject::connect(block.button, &QPushButton::clicked, block.button, [block, context, action, label, showSeconds] {
        const std::string formula = block.formula->text().toStdString();
        const std::string upper = block.upper->text().toStdString();
        const std::string lower = block.lower->text().toStdString();
        pages::runAnswer(
            context, label,
            [formula, upper, lower, action](numerelle::WorkControl& control) {
                return action(formula, upper, lower, control);
            },
            block.result,
            [button = block.button, showSeconds](const PageAnswer& answer) {
                if (showSeconds && answer.resultText && answer.result.status != numerelle::calculus::Status::Failed)
                    button->setToolTip(QString::fromStdString(numerelle::numberText(answer.seconds)));
            });
    });
}

}  // namespace

QWidget* pages::buildSumPage(PageContext& context) {
    auto* frame = makePageFrame("Frame8", QStringLiteral("累乘与累加"));
    auto* outer = new QVBoxLayout(frame);
    QGridLayout* grid = pages::addSignGrid(outer);

    const RangeBlock sum = addBlock(grid, 0, 0, QStringLiteral("∑"), "Text19", "Text21", "Command14", "Text20");
    grid->setRowMinimumHeight(3, 12);
    const RangeBlock product = addBlock(grid, 4, 1, QStringLiteral("∏"), "Text23", "Text22", "Command15", "Text24");

    auto* hint = new QLabel(QStringLiteral("请注意：变量一律用小写的x!上边的表示结束的大小下边表示开始大小！ "));
    hint->setObjectName(QStringLiteral("Label15"));
    hint->setWordWrap(true);
    outer->addWidget(hint);
    outer->addStretch();

    watchRangeOrder(sum, context);
    watchRangeOrder(product, context);
    wireButton(sum, context, numerelle::calculus::sumAction, QStringLiteral("正在计算累加……"), true);
    wireButton(product, context, numerelle::calculus::productAction, QStringLiteral("正在计算累乘……"), false);
    return frame;
}
