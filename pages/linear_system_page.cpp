// Frame19 "解N元一次方程(最好不超过54元)": the augmented matrix in a 4 × 5
// window of cells scrolled over it, and the solution line.
#include <QHBoxLayout>
#include <QLabel>
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

struct EquationPage {
    PageContext context;
    QLineEdit* count = nullptr;     // Text57
    QLineEdit* solution = nullptr;  // Text58
    QLabel* names[16] = {};         // jfc1
    // jfc (20 cells), VScroll3 (rows), HScroll2 (columns).
    ScrolledGrid* grid = nullptr;

    explicit EquationPage(PageContext& c) : context(c) {}

    int n() const { return context.state.unknownCount; }
    Store& store() { return context.state.equationStore; }

    QLineEdit* cell(int i) const { return grid->cell(i); }
    std::int64_t indexOf(int i) const { return equationCellIndex(i, grid->top(), grid->left(), n()); }

    void storeValue(std::int64_t index, QLineEdit* cell) {
        // The start-up store of one unknown has no spare slot; bound by the
        // equations themselves.
        const std::int64_t used = static_cast<std::int64_t>(n()) * (n() + 1);
        if (index >= 0 && index < used && index < static_cast<std::int64_t>(store().size()))
            store()[static_cast<std::size_t>(index)] = boxNumber(cell);
    }

    void refresh(bool withLayout) {
        const int count = n();
        if (withLayout) {
            const int shownRows = std::min(count, 4);
            for (int i = 0; i < 20; ++i) cell(i)->setVisible(i / 5 < shownRows && i % 5 <= shownRows);
            for (int i = 0; i < 16; ++i) names[i]->setVisible(i / 4 < shownRows && i % 4 < shownRows);
            const bool scrolling = count > 4;
            grid->rowBar()->setVisible(scrolling);
            grid->columnBar()->setVisible(scrolling);
            if (scrolling) {
                grid->rowBar()->setMaximum(count - 4);
                grid->columnBar()->setMaximum(count - 4);
            }
        }
        grid->showingBarsOrigin();
        for (int i = 0; i < 20; ++i) {
            if (cell(i)->isHidden()) continue;
            const std::int64_t index = equationCellIndex(i, grid->shownTop(), grid->shownLeft(), count);
            if (index < static_cast<std::int64_t>(store().size()))
                pages::showValue(cell(i), text(numerelle::numberText(store()[static_cast<std::size_t>(index)])));
        }
        for (int i = 0; i < 16; ++i) {
            if (names[i]->isHidden()) continue;
            const int unknown = i % 4 + 1 + grid->shownLeft();
            names[i]->setText(text(unknownName(unknown)) +
                              (unknown == count ? QStringLiteral("=") : QStringLiteral("+")));
        }
    }

    void countLostFocus() {
        double typed = std::trunc(boxNumber(count));
        int wanted = typed < 1 ? 1 : typed > kMaxOrder ? kMaxOrder : static_cast<int>(typed);
        if (wanted != typed) context.ui.beep();
        showText(count, QString::number(wanted));
        if (wanted == n()) return;
        store() = Store(static_cast<std::size_t>(wanted) * wanted + wanted + 1, 0.0);
        context.state.unknownCount = wanted;
        // The recorded cell belonged to the old system; the window starts at
        // the top-left corner again, scroll bars included.
        grid->toCorner();
        refresh(true);
    }

    // The editing mark stays: only a scroll's commit clears it.
    void cellLostFocus(int i) {
        if (commitFormulaField(cell(i), context.ui)) storeValue(indexOf(i), cell(i));
    }

    void solve() {
        Matrix a;
        std::vector<double> b;
        splitEquationStore(store(), n(), a, b);
        auto found = std::make_shared<Solution>();
        pages::runJob(
            context, n() > 100, QStringLiteral("正在解方程……"),
            [a = std::move(a), b = std::move(b), found](numerelle::WorkControl& control) {
                *found = solveLinearSystem(a, b, &control);
            },
            [this, found](bool cancelled) {
                if (cancelled || found->outcome == Outcome::Cancelled) return;
                if (found->outcome != Outcome::Done) {
                    context.ui.message(context.window, text(outcomeMessage(found->outcome)));
                    return;
                }
                showText(solution, text(solutionLine(found->x)));
            });
    }
};

}  // namespace

QWidget* pages::buildLinearSystemPage(PageContext& context) {
    auto* frame = makePageFrame("Frame19", QStringLiteral("解N元一次方程(最好不超过54元)"));
    EquationPage* p = pages::ownedByFrame<EquationPage>(frame, context);

    auto* top = new QHBoxLayout;
    p->count = pages::addCountLine(top, "Label62", QStringLiteral("几元方程？"), "Text57", QStringLiteral("1"));
    top->addStretch(1);

    p->grid = new ScrolledGrid({.rows = 4,
                                .columns = 5,
                                .cellName = "jfc",
                                .initialText = QStringLiteral("0"),
                                .rowBarName = "VScroll3",
                                .columnBarName = "HScroll2",
                                .captions = true},
                               context.ui);
    for (int i = 0; i < 20; ++i) p->cell(i)->setVisible(i < 2);
    for (int i = 0; i < 16; ++i) {
        const int column = i % 4;
        const QString caption = QString(QChar(u'A' + column)) + ((column == 3 || i == 0) ? u'=' : u'+');
        auto* name = new QLabel(caption);
        name->setObjectName(QStringLiteral("jfc1_%1").arg(i));
        // As wide as the widest name, so the grid does not shift as it scrolls.
        name->setMinimumWidth(name->fontMetrics().horizontalAdvance(QStringLiteral("W+")));
        p->names[i] = name;
        p->grid->placeCaption(name, i / 4, column);
        name->setVisible(i == 0);
    }
    p->grid->rowBar()->setVisible(false);
    p->grid->columnBar()->setVisible(false);

    auto* command32 = new QPushButton(QStringLiteral("解出答案"));
    command32->setObjectName(QStringLiteral("Command32"));
    p->solution = new QLineEdit(QStringLiteral("0"));
    p->solution->setObjectName(QStringLiteral("Text58"));
    p->solution->setReadOnly(true);
    pages::setCellUsable(p->solution, false);
    p->solution->setEnabled(true);  // greyed, yet selectable for copying
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(command32);
    bottom->addWidget(p->solution, 1);

    auto* layout = new QVBoxLayout(frame);
    layout->addLayout(top);
    layout->addWidget(p->grid);
    layout->addLayout(bottom);

    attachUnsignedNumericFilter(p->count);
    onFocusLost(p->count, [p] { p->countLostFocus(); });
    ScrolledGrid::Page cells;
    cells.shape = [p] { return StoreShape{p->n(), p->n() + 1}; };
    cells.elementOf = [p](int i) { return p->indexOf(i); };
    cells.store = [p](std::int64_t index, QLineEdit* cell) { p->storeValue(index, cell); };
    // The scroll's commit clears the editing mark; a cell that kept the focus
    // gets it back.
    cells.refresh = [p] {
        p->grid->stopEditing();
        p->refresh(false);
    };
    cells.cellLostFocus = [p](int i) { p->cellLostFocus(i); };
    cells.enterButton = command32;
    p->grid->attach(std::move(cells));
    QObject::connect(command32, &QPushButton::clicked, frame, [p] { p->solve(); });
    computeOnEnter(p->count, command32);
    return frame;
}
