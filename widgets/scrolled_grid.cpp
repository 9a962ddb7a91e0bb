#include "widgets/scrolled_grid.h"

#include <QGridLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QScrollArea>
#include <QScrollBar>
#include <QSizePolicy>
#include <algorithm>

#include "widgets/focus_filter.h"
#include "widgets/formula_field.h"

namespace {

// Moves a scroll bar without running its change handler.
void setQuietly(QScrollBar* bar, int value) {
    const bool blocked = bar->blockSignals(true);
    bar->setValue(value);
    bar->blockSignals(blocked);
}

QScrollBar* makeScrollBar(const char* name, Qt::Orientation orientation) {
    auto* bar = new QScrollBar(orientation);
    bar->setObjectName(QString::fromLatin1(name));
    bar->setRange(0, 0);
    bar->setPageStep(1);
    // Clicking a scroll bar takes the focus, so the cell being edited is
    // committed by its own focus loss before the window moves.
    bar->setFocusPolicy(Qt::StrongFocus);
    keepRoomWhenHidden(bar);
    return bar;
}

// Wide enough for a number text of 15 digits with its sign and point.
int numberCellWidth(const QWidget* cell) {
    return cell->fontMetrics().horizontalAdvance(QStringLiteral("-0.333333333333333")) + 14;
}

// Scrolls every scroll area around `widget` so that it is on screen.
void bringIntoView(QWidget* widget) {
    for (QWidget* outer = widget->parentWidget(); outer; outer = outer->parentWidget())
        if (auto* area = qobject_cast<QScrollArea*>(outer)) area->ensureWidgetVisible(widget);
}

}  // namespace

void keepRoomWhenHidden(QWidget* widget) {
    QSizePolicy policy = widget->sizePolicy();
    policy.setRetainSizeWhenHidden(true);
    widget->setSizePolicy(policy);
}

ScrolledGrid::ScrolledGrid(const Layout& layout, UiServices& ui)
    : ui_(ui), grid_(new QGridLayout(this)), windowColumns_(layout.columns) {
    grid_->setContentsMargins(0, 0, 0, 0);
    const int step = layout.captions ? 2 : 1;
    for (int i = 0; i < layout.rows * layout.columns; ++i) {
        auto* cell = new QLineEdit(layout.initialText);
        cell->setObjectName(QStringLiteral("%1_%2").arg(QLatin1String(layout.cellName)).arg(i));
        cell->setMinimumWidth(layout.captions ? numberCellWidth(cell) / 3 : numberCellWidth(cell));
        keepRoomWhenHidden(cell);
        cells_.push_back(cell);
        grid_->addWidget(cell, i / layout.columns, step * (i % layout.columns));
    }
    // The cells share the width evenly; the captions keep theirs.
    for (int c = 0; c < layout.columns; ++c) grid_->setColumnStretch(step * c, 1);
    if (layout.rowBarName) {
        rows_ = makeScrollBar(layout.rowBarName, Qt::Vertical);
        grid_->addWidget(rows_, 0, step * layout.columns, layout.rows, 1);
    }
    columns_ = makeScrollBar(layout.columnBarName, Qt::Horizontal);
    grid_->addWidget(columns_, layout.rows, 0, 1, step * layout.columns);
}

void ScrolledGrid::attach(Page page) {
    page_ = std::move(page);
    for (std::size_t i = 0; i < cells_.size(); ++i) {
        const int index = static_cast<int>(i);
        onFocusGained(cells_[i], [this, index] { cellGotFocus(index); });
        onFocusLost(cells_[i], [this, index] { page_.cellLostFocus(index); });
        cells_[i]->installEventFilter(this);  // the keyboard walk
    }
    for (QScrollBar* bar : {rows_, columns_})
        if (bar) connect(bar, &QScrollBar::valueChanged, this, [this] { scrolled(); });
    for (std::size_t i = 0; i < cells_.size(); ++i)
        computeOnEnter(cells_[i], [this, index = static_cast<int>(i)]() -> QAbstractButton* {
            cellGotFocus(index);  // the cell keeps the focus and is being edited still
            return page_.enterButton;
        });
}

void ScrolledGrid::placeCaption(QWidget* caption, int row, int column) {
    keepRoomWhenHidden(caption);
    grid_->addWidget(caption, row, 2 * column + 1);
}

int ScrolledGrid::top() const {
    return rows_ ? rows_->value() : 0;
}
int ScrolledGrid::left() const {
    return columns_->value();
}

void ScrolledGrid::showingBarsOrigin() {
    shownTop_ = top();
    shownLeft_ = left();
}

void ScrolledGrid::cellGotFocus(int i) {
    editedCell_ = i;
    editedIndex_ = page_.elementOf(i);
    editing_ = true;
}

void ScrolledGrid::toCorner() {
    editing_ = false;
    if (rows_) setQuietly(rows_, 0);
    setQuietly(columns_, 0);
}

bool ScrolledGrid::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress) return false;
    const auto found = std::find(cells_.begin(), cells_.end(), watched);
    return found != cells_.end() && walk(static_cast<int>(found - cells_.begin()), *static_cast<QKeyEvent*>(event));
}

void ScrolledGrid::scrolled() {
    if (page_.beforeScroll) page_.beforeScroll();
    if (!commitBeforeScroll()) return;
    page_.refresh();
    // After a scroll, a cell that kept the focus stands for another element.
    for (std::size_t i = 0; i < cells_.size(); ++i)
        if (cells_[i]->hasFocus()) cellGotFocus(static_cast<int>(i));
}

// A scroll while a cell is still being edited (a wheel turn over a bar leaves
// the focus in the cell) commits that cell to the element it showed. When its
// formula fails the bars go back to where the cells are and the window must
// not move: false.
bool ScrolledGrid::commitBeforeScroll() {
    if (!editing_) return true;
    QLineEdit* edited = cell(editedCell_);
    if (!commitFormulaField(edited, ui_)) {
        if (rows_) setQuietly(rows_, shownTop_);
        setQuietly(columns_, shownLeft_);
        return false;
    }
    page_.store(editedIndex_, edited);
    return true;
}

// The keyboard walks over the whole store, not only over the cells on
// screen: Tab and Shift+Tab go to the next and previous element in reading
// order (past the last or before the first they leave the grid as usual), Up
// and Down to the element above and below, Left and Right to the neighbour
// once the cursor stands at the edge of the text (or the whole text is
// selected). An element outside the window scrolls the window to it; the
// scroll commits the cell being left, and a failing formula keeps the focus
// where it is.
bool ScrolledGrid::walk(int i, const QKeyEvent& key) {
    if (key.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) return false;
    const QLineEdit* from = cell(i);
    const StoreShape shape = page_.shape();
    const int row = i / windowColumns_ + top(), column = i % windowColumns_ + left();
    const bool whole = from->hasSelectedText() && from->selectedText() == from->text();
    const bool atStart = whole || (!from->hasSelectedText() && from->cursorPosition() == 0);
    const bool atEnd = whole || (!from->hasSelectedText() && from->cursorPosition() == from->text().size());
    const int element = row * shape.columns + column, last = shape.rows * shape.columns - 1;
    switch (key.key()) {
        case Qt::Key_Tab:
        case Qt::Key_Backtab: {
            const bool back = key.key() == Qt::Key_Backtab || (key.modifiers() & Qt::ShiftModifier);
            const int next = back ? element - 1 : element + 1;
            if (next < 0 || next > last) return false;
            return moveTo(next / shape.columns, next % shape.columns);
        }
        case Qt::Key_Up:
            return row > 0 ? moveTo(row - 1, column) : true;
        case Qt::Key_Down:
            return row + 1 < shape.rows ? moveTo(row + 1, column) : true;
        case Qt::Key_Left:
            if (!atStart || key.modifiers() & Qt::ShiftModifier) return false;
            return column > 0 ? moveTo(row, column - 1) : true;
        case Qt::Key_Right:
            if (!atEnd || key.modifiers() & Qt::ShiftModifier) return false;
            return column + 1 < shape.columns ? moveTo(row, column + 1) : true;
        default:
            return false;
    }
}

bool ScrolledGrid::moveTo(int row, int column) {
    const int windowRows = static_cast<int>(cells_.size()) / windowColumns_;
    const int newTop = std::clamp(top(), row - windowRows + 1, row);
    const int newLeft = std::clamp(left(), column - windowColumns_ + 1, column);
    // Each bar's change handler commits the cell being left first; when its
    // formula fails the bars go back and the walk stops there.
    if (rows_ && newTop != top()) rows_->setValue(newTop);
    if (newLeft != left()) columns_->setValue(newLeft);
    if (newTop != top() || newLeft != left()) return true;
    QLineEdit* target = cell((row - newTop) * windowColumns_ + column - newLeft);
    if (!target->hasFocus()) target->setFocus(Qt::TabFocusReason);
    if (target->hasFocus()) {
        selectShowingStart(target);
        bringIntoView(target);
    }
    return true;
}
