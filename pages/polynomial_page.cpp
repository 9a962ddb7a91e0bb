// Frame20 "解一元N次方程": the degree, the coefficients in a window of four
// cells scrolled over them, and all roots.
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <cmath>
#include <memory>

#include "common/number_text.h"
#include "matrix/jz1.h"
#include "matrix/messages.h"
#include "pages/matrix_page_support.h"
#include "pages/page_state.h"
#include "pages/pages.h"
#include "widgets/formula_field.h"
#include "widgets/labels.h"
#include "widgets/scrolled_grid.h"
#include "widgets/ui_services.h"

namespace {

using namespace numerelle::matrix;
using pages::text;

constexpr int kMaxDegree = 100;

struct PolynomialPage {
    PageContext context;
    QLineEdit* degreeBox = nullptr;  // Text59
    QLabel* powers[4] = {};          // ncfc1
    QPlainTextEdit* roots = nullptr;
    // ncfc (4 cells) scrolled by HScroll3.
    ScrolledGrid* grid = nullptr;

    explicit PolynomialPage(PageContext& c) : context(c) {}

    std::vector<double>& coefficients() { return context.state.polynomialCoefficients; }
    int degree() { return static_cast<int>(coefficients().size()) - 1; }

    QLineEdit* cell(int i) const { return grid->cell(i); }

    void storeValue(std::int64_t index, QLineEdit* box) {
        if (index >= 0 && index <= degree()) coefficients()[static_cast<std::size_t>(index)] = boxNumber(box);
    }

    // Cell i shows coefficient left + i; its label names the power of x it
    // multiplies.
    void refresh() {
        const int n = degree();
        grid->showingBarsOrigin();
        for (int i = 0; i < 4; ++i) {
            const int index = grid->shownLeft() + i;
            const bool shown = index <= n;
            cell(i)->setVisible(shown);
            powers[i]->setVisible(shown);
            if (!shown) continue;
            pages::showValue(cell(i), text(numerelle::numberText(coefficients()[static_cast<std::size_t>(index)])));
            const int power = n - index;
            powers[i]->setText(power > 0 ? QStringLiteral("x^%1").arg(power) : QStringLiteral("常数项"));
        }
    }

    void degreeLostFocus() {
        const double typed = std::trunc(boxNumber(degreeBox));
        const int n = typed < 1 ? 1 : typed > kMaxDegree ? kMaxDegree : static_cast<int>(typed);
        if (n != typed) context.ui.beep();
        showText(degreeBox, QString::number(n));
        if (n == degree()) return;
        // Coefficients keep their powers; new higher powers start at 1.
        std::vector<double> resized(static_cast<std::size_t>(n) + 1, 1.0);
        const int kept = std::min(n, degree()) + 1;
        std::copy(coefficients().end() - kept, coefficients().end(), resized.end() - kept);
        coefficients() = std::move(resized);
        grid->toCorner();
        grid->columnBar()->setMaximum(std::max(0, n + 1 - 4));
        refresh();
    }

    void cellLostFocus(int i) {
        grid->stopEditing();
        if (commitFormulaField(cell(i), context.ui)) storeValue(grid->left() + i, cell(i));
    }

    void solve() {
        if (coefficients().front() == 0) {
            context.ui.message(context.window, text(kLeadingZero));
            return;
        }
        auto found = std::make_shared<PolynomialRoots>();
        pages::runJob(
            context, degree() > 30, QStringLiteral("正在求根……"),
            [c = coefficients(), found](numerelle::WorkControl& control) { *found = polynomialRoots(c, &control); },
            [this, found](bool cancelled) {
                if (cancelled || found->outcome == Outcome::Cancelled) return;
                if (found->outcome != Outcome::Done) {
                    const std::string problem =
                        found->leadingZero ? kLeadingZero : outcomeMessage(found->outcome, kRootsNoConvergence);
                    context.ui.message(context.window, text(problem));
                    return;
                }
                QStringList lines;
                for (const auto& z : found->roots) lines << text(complexText(z.real(), z.imag()));
                roots->setPlainText(lines.join(QLatin1Char('\n')));
            });
    }
};

}  // namespace

QWidget* pages::buildPolynomialPage(PageContext& context) {
    auto* frame = makePageFrame("Frame20", QStringLiteral("解一元N次方程"));
    PolynomialPage* p = pages::ownedByFrame<PolynomialPage>(frame, context);

    auto* top = new QHBoxLayout;
    p->degreeBox = pages::addCountLine(top, "Label63", QStringLiteral("几次方程？"), "Text59", QStringLiteral("1"));
    top->addStretch(1);

    p->grid = new ScrolledGrid({.rows = 1,
                                .columns = 4,
                                .cellName = "ncfc",
                                .initialText = QStringLiteral("1"),
                                .columnBarName = "HScroll3",
                                .captions = true},
                               context.ui);
    for (int i = 0; i < 4; ++i) {
        p->powers[i] = new QLabel;
        p->powers[i]->setObjectName(QStringLiteral("ncfc1_%1").arg(i));
        // One width for every caption, so the row never shifts.
        const QFontMetrics metrics = p->powers[i]->fontMetrics();
        p->powers[i]->setFixedWidth(std::max(metrics.horizontalAdvance(QStringLiteral("x^100")),
                                             metrics.horizontalAdvance(QStringLiteral("常数项"))) +
                                    4);
        p->grid->placeCaption(p->powers[i], 0, i);
    }

    auto* solveButton = new QPushButton(QStringLiteral("求解"));
    solveButton->setObjectName(QStringLiteral("polynomialSolve"));
    p->roots = new QPlainTextEdit;
    p->roots->setObjectName(QStringLiteral("polynomialRoots"));
    p->roots->setReadOnly(true);
    p->roots->setMaximumHeight(120);

    auto* layout = new QVBoxLayout(frame);
    layout->addLayout(top);
    layout->addWidget(p->grid);
    layout->addWidget(solveButton, 0, Qt::AlignLeft);
    layout->addWidget(p->roots);
    p->refresh();

    attachKeyFilter(p->degreeBox, [](QChar ch) { return ch >= u'0' && ch <= u'9'; });
    onFocusLost(p->degreeBox, [p] { p->degreeLostFocus(); });
    ScrolledGrid::Page cells;
    cells.shape = [p] { return StoreShape{1, p->degree() + 1}; };
    cells.elementOf = [p](int i) -> std::int64_t { return p->grid->left() + i; };
    cells.store = [p](std::int64_t index, QLineEdit* cell) { p->storeValue(index, cell); };
    cells.refresh = [p] { p->refresh(); };
    cells.cellLostFocus = [p](int i) { p->cellLostFocus(i); };
    cells.enterButton = solveButton;
    p->grid->attach(std::move(cells));
    QObject::connect(solveButton, &QPushButton::clicked, frame, [p] { p->solve(); });
    computeOnEnter(p->degreeBox, solveButton);
    return frame;
}
