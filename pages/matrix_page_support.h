#pragma once
// Pieces shared by the matrix and equation pages: focus-gained handlers,
// greyed cells, and running a computation either at once or through the
// long-work runner.
#include <QColor>
#include <QEvent>
#include <QFocusEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QScrollBar>
#include <QSizePolicy>
#include <QString>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/formula_field.h"
#include "app/long_work.h"
#include "app/page_context.h"
#include "common/work_control.h"

namespace matrix_pages {

class FocusGainFilter final : public QObject {
public:
    FocusGainFilter(QWidget* box, std::function<void()> handler) : QObject(box), handler_(std::move(handler)) {}
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::FocusIn) {
            const auto reason = static_cast<QFocusEvent*>(event)->reason();
            if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason) handler_();
        }
        return false;
    }

private:
    std::function<void()> handler_;
};

inline void onFocusGained(QWidget* box, std::function<void()> handler) {
    box->installEventFilter(new FocusGainFilter(box, std::move(handler)));
}

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
    auto* label = new QLabel(prompt);
    label->setObjectName(QString::fromLatin1(labelName));
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
inline void showValue(QLineEdit* cell, const QString& value) {
    cell->setText(value);
    cell->setCursorPosition(0);
}

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

}  // namespace matrix_pages
