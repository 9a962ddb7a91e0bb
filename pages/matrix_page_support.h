#pragma once
// Pieces shared by the matrix and equation pages: greyed cells, scrolled
// windows of cells, and running a computation either at once or through the
// long-work runner.
#include <QColor>
#include <QEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QScrollArea>
#include <QScrollBar>
#include <QSizePolicy>
#include <QString>
#include <algorithm>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "common/work_control.h"
#include "pages/page_context.h"
#include "widgets/focus_filter.h"
#include "widgets/formula_field.h"
#include "widgets/labels.h"
#include "widgets/long_work.h"

namespace pages {

// A usable cell is white; an unusable one is disabled and takes the colour
// of the active window border.
inline void setCellUsable(QLineEdit* cell, bool usable) {
    cell->setEnabled(usable);
    QPalette palette = cell->palette();
    const QColor colour = usable ? QColor(Qt::white) : cell->palette().color(QPalette::Active, QPalette::Window).darker(110);
    palette.setColor(QPalette::All, QPalette::Base, colour);
    cell->setPalette(palette);
}

// Moves a scroll bar without running its change handler.
inline void setQuietly(QScrollBar* bar, int value) {
    const bool blocked = bar->blockSignals(true);
    bar->setValue(value);
    bar->blockSignals(blocked);
}

inline QScrollBar* makeScrollBar(const char* name, Qt::Orientation orientation) {
    auto* bar = new QScrollBar(orientation);
    bar->setObjectName(QString::fromLatin1(name));
    bar->setRange(0, 0);
    bar->setPageStep(1);
    // Clicking a scroll bar takes the focus, so the cell being edited is
    // committed by its own focus loss before the window moves.
    bar->setFocusPolicy(Qt::StrongFocus);
    return bar;
}

inline QString text(const std::string& utf8) { return QString::fromStdString(utf8); }

// A page object whose handlers the frame's widgets call: it lives as long
// as the frame.
template <typename Page>
Page* ownedByFrame(QWidget* frame, PageContext& context) {
    auto page = std::make_shared<Page>(context);
    QObject::connect(frame, &QObject::destroyed, [page]() mutable { page.reset(); });
    return page.get();
}

// The first line of a grid page: the prompt and the narrow box for the
// order or count, named as given; the box is returned.
inline QLineEdit* addCountLine(QHBoxLayout* line, const char* labelName, const QString& prompt, const char* boxName,
                               const QString& initial) {
    QLabel* label = makeLabel(labelName, prompt);
    auto* box = new QLineEdit(initial);
    box->setObjectName(QString::fromLatin1(boxName));
    box->setMaximumWidth(70);
    line->addWidget(label);
    line->addWidget(box);
    return box;
}

// Hidden cells, labels and bars keep their room, so that a page keeps its
// width (and its neighbour on the tab keeps its own) when the order changes.
inline void keepRoomWhenHidden(QWidget* widget) {
    QSizePolicy policy = widget->sizePolicy();
    policy.setRetainSizeWhenHidden(true);
    widget->setSizePolicy(policy);
}

// Wide enough for a number text of 15 digits with its sign and point.
inline int numberCellWidth(const QWidget* cell) {
    return cell->fontMetrics().horizontalAdvance(QStringLiteral("-0.333333333333333")) + 14;
}

// A value the program writes into a cell shows its beginning (sign and
// leading digits) should it still be longer than the cell.
inline void showValue(QLineEdit* cell, const QString& value) { showText(cell, value); }

// A window of cells scrolled over a longer store by one or two bars: the
// origin the cells show, the cell being edited and the element it stood
// for when it got the focus.
struct ScrolledCells {
    std::vector<QLineEdit*> cells;
    QScrollBar* rows = nullptr;  // none on a window of one line
    QScrollBar* columns = nullptr;
    bool editing = false;
    int editedCell = 0;
    std::int64_t editedIndex = 0;
    int shownTop = 0, shownLeft = 0;

    int top() const { return rows ? rows->value() : 0; }
    int left() const { return columns->value(); }
    void gotFocus(int cell, std::int64_t index) {
        editedCell = cell;
        editedIndex = index;
        editing = true;
    }
    // Called by a refresh: the cells now show the bars' origin.
    void showingBarsOrigin() {
        shownTop = top();
        shownLeft = left();
    }
    // Back to the top-left corner without running the bars' handlers.
    void toCorner() {
        editing = false;
        if (rows) setQuietly(rows, 0);
        setQuietly(columns, 0);
    }
    // A scroll while a cell is still being edited (a wheel turn over a bar
    // leaves the focus in the cell) commits that cell to the element it
    // showed. When its formula fails the bars go back to where the cells
    // are and the window must not move: false.
    bool commitBeforeScroll(UiServices& ui, const std::function<void(std::int64_t, QLineEdit*)>& store) {
        if (!editing) return true;
        QLineEdit* cell = cells[static_cast<std::size_t>(editedCell)];
        if (!commitFormulaField(cell, ui)) {
            if (rows) setQuietly(rows, shownTop);
            setQuietly(columns, shownLeft);
            return false;
        }
        store(editedIndex, cell);
        return true;
    }
    // After a scroll, a cell that kept the focus stands for another element.
    void refocus(const std::function<void(int)>& cellGotFocus) const {
        for (std::size_t i = 0; i < cells.size(); ++i)
            if (cells[i]->hasFocus()) cellGotFocus(static_cast<int>(i));
    }
};

// Scrolls every scroll area around `widget` so that it is on screen.
inline void bringIntoView(QWidget* widget) {
    for (QWidget* outer = widget->parentWidget(); outer; outer = outer->parentWidget())
        if (auto* area = qobject_cast<QScrollArea*>(outer)) area->ensureWidgetVisible(widget);
}

// The size of the store a window of cells shows: rows and columns.
struct StoreShape {
    int rows = 0;
    int columns = 0;
};

// The keyboard walks over the whole store, not only over the cells on
// screen: Tab and Shift+Tab go to the next and previous element in reading
// order (past the last or before the first they leave the grid as usual),
// Up and Down to the element above and below, Left and Right to the
// neighbour once the cursor stands at the edge of the text (or the whole
// text is selected). An element outside the window scrolls the window to it;
// the scroll commits the cell being left, and a failing formula keeps the
// focus where it is.
class KeyboardWalk final : public QObject {
public:
    KeyboardWalk(QLineEdit* cell, ScrolledCells& grid, int index, int windowColumns, std::function<StoreShape()> shape)
        : QObject(cell), cell_(cell), grid_(grid), index_(index), windowColumns_(windowColumns), shape_(std::move(shape)) {}

    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() != QEvent::KeyPress) return false;
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) return false;
        const StoreShape shape = shape_();
        const int row = index_ / windowColumns_ + grid_.top(), column = index_ % windowColumns_ + grid_.left();
        const bool whole = cell_->hasSelectedText() && cell_->selectedText() == cell_->text();
        const bool atStart = whole || (!cell_->hasSelectedText() && cell_->cursorPosition() == 0);
        const bool atEnd = whole || (!cell_->hasSelectedText() && cell_->cursorPosition() == cell_->text().size());
        const int element = row * shape.columns + column, last = shape.rows * shape.columns - 1;
        switch (key->key()) {
            case Qt::Key_Tab:
            case Qt::Key_Backtab: {
                const bool back = key->key() == Qt::Key_Backtab || (key->modifiers() & Qt::ShiftModifier);
                const int next = back ? element - 1 : element + 1;
                if (next < 0 || next > last) return false;
                return moveTo(next / shape.columns, next % shape.columns);
            }
            case Qt::Key_Up:
                return row > 0 ? moveTo(row - 1, column) : true;
            case Qt::Key_Down:
                return row + 1 < shape.rows ? moveTo(row + 1, column) : true;
            case Qt::Key_Left:
                if (!atStart || key->modifiers() & Qt::ShiftModifier) return false;
                return column > 0 ? moveTo(row, column - 1) : true;
            case Qt::Key_Right:
                if (!atEnd || key->modifiers() & Qt::ShiftModifier) return false;
                return column + 1 < shape.columns ? moveTo(row, column + 1) : true;
            default:
                return false;
        }
    }

private:
    bool moveTo(int row, int column) {
        const int windowRows = static_cast<int>(grid_.cells.size()) / windowColumns_;
        const int top = std::clamp(grid_.top(), row - windowRows + 1, row);
        const int left = std::clamp(grid_.left(), column - windowColumns_ + 1, column);
        // Each bar's change handler commits the cell being left first; when
        // its formula fails the bars go back and the walk stops there.
        if (grid_.rows && top != grid_.top()) grid_.rows->setValue(top);
        if (left != grid_.left()) grid_.columns->setValue(left);
        if (top != grid_.top() || left != grid_.left()) return true;
        QLineEdit* target = grid_.cells[static_cast<std::size_t>((row - top) * windowColumns_ + column - left)];
        if (!target->hasFocus()) target->setFocus(Qt::TabFocusReason);
        if (target->hasFocus()) {
            selectShowingStart(target);
            bringIntoView(target);
        }
        return true;
    }

    QLineEdit* cell_;
    ScrolledCells& grid_;
    int index_;
    int windowColumns_;
    std::function<StoreShape()> shape_;
};

// Lets the keyboard walk over the store behind every cell of `grid`, whose
// window is `windowColumns` cells wide.
inline void attachKeyboardWalk(ScrolledCells& grid, int windowColumns, std::function<StoreShape()> shape) {
    for (std::size_t i = 0; i < grid.cells.size(); ++i)
        grid.cells[i]->installEventFilter(new KeyboardWalk(grid.cells[i], grid, static_cast<int>(i), windowColumns, shape));
}

// Small jobs run at once; big ones go through the long-work runner (busy
// cursor, Cancel). `apply` gets `cancelled`.
inline void runJob(PageContext& context, bool big, const QString& label,
                   std::function<void(numerelle::WorkControl&)> work, std::function<void(bool)> apply) {
    if (!big) {
        numerelle::WorkControl control;
        work(control);
        apply(false);
        return;
    }
    context.work.start(label, std::move(work), std::move(apply));
}

}  // namespace pages
