// Frame10 "计算函数定积分和微分计算": the trapezoidal integral of f(x) between
// the two limit boxes, and its central-difference derivative at a point.
// The "精度" box is the number of intervals and, through its reciprocal, the
// step of the difference.
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

#include "calculus/page_actions.h"
#include "pages/calculus_page_support.h"
#include "pages/page_context.h"
#include "pages/page_state.h"
#include "pages/pages.h"
#include "widgets/formula_field.h"
#include "widgets/labels.h"
#include "widgets/long_work.h"
#include "widgets/ui_services.h"

namespace {

using pages::box;

// "f'(       ) =" with the point box sitting between the brackets: the
// caption keeps its text, and the blanks are drawn as wide as the box.
class BracketLabel final : public QLabel {
public:
    BracketLabel(const QString& caption, QLineEdit* inner) : QLabel(caption), inner_(inner) {
        inner_->setParent(this);
        inner_->setFixedWidth(70);
    }

    QSize sizeHint() const override {
        const QFontMetrics metrics(font());
        return {metrics.horizontalAdvance(opening()) + inner_->width() + metrics.horizontalAdvance(closing()) + 4,
                std::max(metrics.height(), inner_->sizeHint().height())};
    }
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void resizeEvent(QResizeEvent* event) override {
        QLabel::resizeEvent(event);
        const QFontMetrics metrics(font());
        const int h = inner_->sizeHint().height();
        inner_->setGeometry(metrics.horizontalAdvance(opening()) + 2, (height() - h) / 2, inner_->width(), h);
    }
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        const QFontMetrics metrics(font());
        const int left = metrics.horizontalAdvance(opening());
        painter.drawText(QRect(0, 0, left, height()), Qt::AlignVCenter | Qt::AlignLeft, opening());
        painter.drawText(QRect(left + inner_->width() + 4, 0, width(), height()), Qt::AlignVCenter | Qt::AlignLeft,
                         closing());
    }

private:
    QString opening() const { return text().section(u'(', 0, 0) + u'('; }
    QString closing() const { return u')' + text().section(u')', 1); }
    QLineEdit* inner_;
};

}  // namespace

QWidget* pages::buildCalculusPage(PageContext& context) {
    auto* frame = makePageFrame("Frame10", QStringLiteral("计算函数定积分和微分计算"));
    auto* outer = new QVBoxLayout(frame);
    QGridLayout* grid = pages::addSignGrid(outer);

    // Integral: the upper limit a above the sign, the lower limit b below it.
    auto* upper = box(QStringLiteral("Text25_0"), QStringLiteral("1"), 70);
    auto* lower = box(QStringLiteral("Text25_1"), QStringLiteral("2"), 70);
    auto* upperRow = new QHBoxLayout;
    upperRow->addWidget(makeLabel("Label16", QStringLiteral("a=")));
    upperRow->addWidget(upper);
    upper->setMaximumWidth(120);
    lower->setMaximumWidth(120);
    auto* lowerRow = new QHBoxLayout;
    lowerRow->addWidget(makeLabel("Label17", QStringLiteral("b=")));
    lowerRow->addWidget(lower);
    auto* sign = pages::bigSign(QStringLiteral("∫"), QStringLiteral("Label51"), 5);

    auto* formula = box(QStringLiteral("Text26"), QStringLiteral("x"), 200);
    auto* formulaRow = new QHBoxLayout;
    formulaRow->addWidget(makeLabel("Label19", QStringLiteral("f(x)=")));
    formulaRow->addWidget(formula, 1);
    formulaRow->addWidget(makeLabel("Label18", QStringLiteral("f(x)dx")));

    auto* integrate = new QPushButton(QStringLiteral("="));
    integrate->setObjectName(QStringLiteral("Command16"));
    integrate->setMaximumWidth(40);
    auto* integral = box(QStringLiteral("Text27"), QStringLiteral("0"), 180);

    grid->addLayout(upperRow, 0, 0);
    grid->addWidget(sign, 1, 0);
    grid->addLayout(lowerRow, 2, 0);
    grid->addLayout(formulaRow, 1, 1);
    grid->addWidget(integrate, 1, 2);
    grid->addWidget(integral, 1, 3);

    auto* intervals = box(QStringLiteral("Text28"), QStringLiteral("1000"), 90);
    auto* intervalsRow = new QHBoxLayout;
    intervalsRow->addWidget(makeLabel("Label20", QStringLiteral("精度")));
    intervalsRow->addWidget(intervals);
    intervalsRow->addStretch();
    grid->addLayout(intervalsRow, 3, 1);

    // Derivative: f'( p ) = result.
    auto* point = box(QStringLiteral("Text60"), QStringLiteral("1"), 70);
    auto* derivativeCaption = new BracketLabel(QStringLiteral("f'(       ) ="), point);
    derivativeCaption->setObjectName(QStringLiteral("Label65"));
    auto* differentiate = new QPushButton(QStringLiteral("="));
    differentiate->setObjectName(QStringLiteral("Command35"));
    differentiate->setMaximumWidth(40);
    auto* derivative = box(QStringLiteral("Text61"), QStringLiteral("0"), 180);
    grid->setRowMinimumHeight(4, 12);
    grid->addWidget(derivativeCaption, 5, 0, 1, 2, Qt::AlignLeft);
    grid->addWidget(differentiate, 5, 2);
    grid->addWidget(derivative, 5, 3);
    outer->addStretch();

    // The limits and the intervals take numbers: each box shows the number
    // text of its leading number once left.
    for (QLineEdit* limit : {upper, lower}) onFocusLost(limit, [limit] { normaliseNumberText(limit); });
    attachUnsignedNumericFilter(intervals);
    onFocusLost(intervals, [intervals] { normaliseNumberText(intervals); });

    // Leaving the point box first completes an order change typed into the
    // matrix page, then commits the box as a formula field.
    onFocusLost(point, [point, context] {
        if (context.state.finishPendingMatrixOrderChange) context.state.finishPendingMatrixOrderChange();
        commitFormulaField(point, context.ui);
    });

    for (QLineEdit* box : {upper, lower, formula, intervals}) computeOnEnter(box, integrate);
    computeOnEnter(point, differentiate);
    fitNumberText(integral);
    fitNumberText(derivative);

    QObject::connect(integrate, &QPushButton::clicked, integrate, [=] {
        const std::string text = formula->text().toStdString();
        const std::string a = upper->text().toStdString();
        const std::string b = lower->text().toStdString();
        const std::string n = intervals->text().toStdString();
        pages::runAnswer(
            context, QStringLiteral("正在计算定积分……"),
            [text, a, b, n](numerelle::WorkControl& control) {
                return numerelle::calculus::integralAction(text, a, b, n, control);
            },
            integral);
    });

    // Two evaluations: quick enough to run on the spot.
    QObject::connect(differentiate, &QPushButton::clicked, differentiate, [=] {
        pages::showAnswer(
            context,
            numerelle::calculus::derivativeAction(formula->text().toStdString(), point->text().toStdString(),
                                                  intervals->text().toStdString()),
            derivative);
    });
    return frame;
}
