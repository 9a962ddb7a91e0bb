// Frame17 "行列式矩阵计算与输入": the current matrix in a 4 × 4 window of
// cells scrolled over it, its order, determinant, clearing and saving.
#include <QDir>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSaveFile>
#include <QVBoxLayout>
#include <cmath>
#include <memory>

#include "common/number_text.h"
#include "matrix/jz1.h"
#include "matrix/messages.h"
#include "pages/matrix_page_support.h"
#include "pages/page_state.h"
#include "pages/pages.h"
#include "widgets/data_paths.h"
#include "widgets/formula_field.h"
#include "widgets/labels.h"
#include "widgets/scrolled_grid.h"
#include "widgets/ui_services.h"

namespace {

using namespace numerelle::matrix;
using numerelle::numberText;
using pages::text;

constexpr const char* kSaveHint = "只有保存后才可以进行矩阵的乘法等计算";

struct MatrixPage {
    PageContext context;          // a copy: the builder's context is a temporary
    QLineEdit* order = nullptr;   // Text53
    QLineEdit* name = nullptr;    // Text55
    QLineEdit* result = nullptr;  // Text54
    QPushButton* save = nullptr;  // Command30
    // Text52 (16 cells), VScroll2 (rows), HScroll1 (columns).
    ScrolledGrid* grid = nullptr;

    bool orderChanged = false;

    explicit MatrixPage(PageContext& c) : context(c) {}

    Store& store() { return context.state.matrixStore; }

    // The order as the order box holds it, whole and within the bounds.
    int typedOrder() const {
        const double n = std::nearbyint(boxNumber(order));
        if (!(n >= 2)) return 2;
        return n > kMaxOrder ? kMaxOrder : static_cast<int>(n);
    }

    void applyPendingOrder() {
        if (!orderChanged) return;
        store() = resizeStore(store(), typedOrder());
        orderChanged = false;
    }

    void storeValue(std::int64_t index, QLineEdit* cell) {
        const int n = storeOrder(store());
        if (index >= 0 && index < static_cast<std::int64_t>(n) * n)
            store()[static_cast<std::size_t>(index)] = boxNumber(cell);
    }

    // Each cell shows the element under it; cells beyond the matrix (a
    // small order) are blanked.
    void refresh() {
        const int n = storeOrder(store());
        grid->showingBarsOrigin();
        for (int i = 0; i < 16; ++i) {
            const int r = i / 4 + grid->shownTop(), c = i % 4 + grid->shownLeft();
            pages::showValue(
                cell(i), r < n && c < n ? text(numberText(store()[static_cast<std::size_t>(r) * n + c])) : QString());
        }
    }

    QLineEdit* cell(int i) const { return grid->cell(i); }
    std::int64_t indexOf(int i) const {
        return matrixCellIndex(i, grid->top(), grid->left(), storeOrder(context.state.matrixStore));
    }

    void orderLostFocus() {
        double typed = std::nearbyint(boxNumber(order));
        int n = typedOrder();
        if (typed != n) {
            // Below 2 or beyond the largest order: corrected, with a beep.
            showText(order, QString::number(n));
            context.ui.beep();
        }
        store() = resizeStore(store(), n);
        // Lowering the maximum below a bar's value moves the bar, and its
        // change handler refreshes the cells.
        const int last = n < 4 ? 0 : n - 4;
        grid->columnBar()->setMaximum(last);
        grid->rowBar()->setMaximum(last);
        for (int i = 0; i < 16; ++i) pages::setCellUsable(cell(i), n >= 4 || (i / 4 < n && i % 4 < n));
    }

    void cellLostFocus(int i) {
        grid->stopEditing();
        applyPendingOrder();
        if (commitFormulaField(cell(i), context.ui)) storeValue(indexOf(i), cell(i));
    }

    void computeDeterminant() {
        const Matrix a = storeToMatrix(store());
        auto found = std::make_shared<Determinant>();
        pages::runJob(
            context, a.order() >= 9, QStringLiteral("正在计算行列式……"),
            [a, found](numerelle::WorkControl& control) { *found = determinant(a, &control); },
            [this, found](bool cancelled) {
                if (cancelled || found->outcome == Outcome::Cancelled) return;
                if (found->outcome != Outcome::Done) {
                    context.ui.message(context.window, text(outcomeMessage(found->outcome)));
                    return;
                }
                showText(result, text(numberText(found->value)));
            });
    }

    void clear() {
        for (QLineEdit* c : grid->cells()) showText(c, QStringLiteral("0"));
        store() = Store(static_cast<std::size_t>(typedOrder()) * typedOrder() + 1, 0.0);
    }

    void saveMatrix() {
        const std::string matrixName = name->text().toStdString();
        switch (checkMatrixName(matrixName)) {
            case NameProblem::None:
                break;
            case NameProblem::Empty:
                context.ui.message(context.window, text(kEmptyName));
                return;
            case NameProblem::ForbiddenCharacter:
                context.ui.message(context.window, text(kForbiddenName));
                return;
            case NameProblem::TooLong:
                context.ui.message(context.window, text(kLongName));
                return;
        }
        const std::vector<unsigned char> bytes = encodeMatrixFile(store());
        // QSaveFile writes beside the target and renames over it only when
        // everything was written: a failed save leaves the old file.
        const QString path = userDataDirectory() + QLatin1Char('/') + name->text() + QStringLiteral(".kmx");
        QSaveFile file(path);
        const bool saved = file.open(QIODevice::WriteOnly) &&
                           file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<qint64>(bytes.size())) ==
                               static_cast<qint64>(bytes.size()) &&
                           file.commit();
        if (!saved) {
            context.ui.message(context.window, text(kSaveFailed));
            return;
        }
        // Saving says nothing; the button's tip tells where the file went.
        save->setToolTip(
            QStringLiteral("已保存到 %1\n%2").arg(QDir::toNativeSeparators(path), QString::fromUtf8(kSaveHint)));
    }
};

}  // namespace

QWidget* pages::buildMatrixPage(PageContext& context) {
    auto* frame = makePageFrame("Frame17", QStringLiteral("行列式矩阵计算与输入"));
    MatrixPage* p = pages::ownedByFrame<MatrixPage>(frame, context);

    auto* top = new QHBoxLayout;
    p->order = pages::addCountLine(top, "Label55", QStringLiteral("为几阶行列式？"), "Text53", QStringLiteral("2"));
    top->addSpacing(12);
    auto* label56 = new QLabel(QStringLiteral("矩阵的名称"));
    label56->setObjectName(QStringLiteral("Label56"));
    p->name = new QLineEdit(QStringLiteral("new1"));
    p->name->setObjectName(QStringLiteral("Text55"));
    top->addWidget(label56);
    top->addWidget(p->name, 1);

    p->grid = new ScrolledGrid({.rows = 4,
                                .columns = 4,
                                .cellName = "Text52",
                                .initialText = QStringLiteral("0"),
                                .rowBarName = "VScroll2",
                                .columnBarName = "HScroll1"},
                               context.ui);
    for (int i = 0; i < 16; ++i) pages::setCellUsable(p->cell(i), i == 0 || i == 1 || i == 4 || i == 5);

    auto* command28 = new QPushButton(QStringLiteral("="));
    command28->setObjectName(QStringLiteral("Command28"));
    p->result = new QLineEdit;
    p->result->setObjectName(QStringLiteral("Text54"));
    p->result->setReadOnly(true);
    fitNumberText(p->result);
    auto* command29 = new QPushButton(QStringLiteral("清空"));
    command29->setObjectName(QStringLiteral("Command29"));
    auto* command30 = new QPushButton(QStringLiteral("保存矩阵"));
    command30->setObjectName(QStringLiteral("Command30"));
    command30->setToolTip(QString::fromUtf8(kSaveHint));
    p->save = command30;
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(command28);
    bottom->addWidget(p->result, 1);
    bottom->addWidget(command29);
    bottom->addWidget(command30);

    auto* layout = new QVBoxLayout(frame);
    layout->addLayout(top);
    layout->addWidget(p->grid);
    layout->addLayout(bottom);

    // Order box: digits only; entering it starts an order change.
    attachKeyFilter(p->order, [](QChar ch) { return ch >= u'0' && ch <= u'9'; });
    onFocusGained(p->order, [p] { p->orderChanged = true; });
    onFocusLost(p->order, [p] { p->orderLostFocus(); });
    ScrolledGrid::Page cells;
    cells.shape = [p] {
        const int n = storeOrder(p->store());
        return StoreShape{n, n};
    };
    cells.elementOf = [p](int i) { return p->indexOf(i); };
    cells.store = [p](std::int64_t index, QLineEdit* cell) { p->storeValue(index, cell); };
    cells.refresh = [p] { p->refresh(); };
    cells.cellLostFocus = [p](int i) { p->cellLostFocus(i); };
    // A pending order change applies before the edited cell is committed.
    cells.beforeScroll = [p] {
        if (p->grid->editing()) p->applyPendingOrder();
    };
    cells.enterButton = command28;
    p->grid->attach(std::move(cells));
    QObject::connect(command28, &QPushButton::clicked, frame, [p] { p->computeDeterminant(); });
    QObject::connect(command29, &QPushButton::clicked, frame, [p] { p->clear(); });
    QObject::connect(command30, &QPushButton::clicked, frame, [p] { p->saveMatrix(); });
    computeOnEnter(p->order, command28);
    computeOnEnter(p->name, command30);
    QObject::connect(p->name, &QLineEdit::textChanged, frame, [state = &context.state](const QString& name) {
        state->matrixName = name;
        if (state->matrixNameChanged) state->matrixNameChanged(name);
    });

    context.state.finishPendingMatrixOrderChange = [p] { p->applyPendingOrder(); };
    context.state.showMatrixFromCorner = [p] {
        p->grid->toCorner();
        p->refresh();
    };
    context.state.refreshMatrixGrid = [p] { p->refresh(); };
    return frame;
}
