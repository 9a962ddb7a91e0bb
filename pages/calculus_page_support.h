#pragma once
// Pieces shared by the sums page and the integral page: their boxes, the
// signs drawn large, and a button's computation run through the long-work
// runner with its answer shown.
#include <QFont>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QString>
#include <QVBoxLayout>
#include <functional>
#include <memory>

#include "calculus/page_actions.h"
#include "pages/page_context.h"
#include "widgets/formula_field.h"
#include "widgets/labels.h"
#include "widgets/long_work.h"
#include "widgets/ui_services.h"

namespace pages {

inline QLineEdit* box(const QString& objectName, const QString& text, int minimumWidth) {
    auto* edit = new QLineEdit(text);
    edit->setObjectName(objectName);
    edit->setMinimumWidth(minimumWidth);
    return edit;
}

// The grid both pages lay their lines on: limits and sign in column 0, the
// formula in 1, "=" in 2 and the result in 3; the formula and the result
// share the spare width.
inline QGridLayout* addSignGrid(QVBoxLayout* outer) {
    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(8);
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(3, 1);
    outer->addLayout(grid);
    return grid;
}

// A sign drawn large, as on paper, `scale` times the text size.
inline QLabel* bigSign(const QString& sign, const QString& objectName, double scale) {
    QLabel* label = makeLabel(nullptr, sign);
    label->setObjectName(objectName);
    QFont font = label->font();
    font.setPointSizeF(font.pointSizeF() * scale);
    label->setFont(font);
    label->setAlignment(Qt::AlignCenter);
    return label;
}

// The answer's message boxes in order, then its text into the result box
// (a cancelled or silent answer leaves the box as it was).
inline void showAnswer(const PageContext& context, const numerelle::calculus::PageAnswer& answer, QLineEdit* result) {
    for (const std::string& message : answer.messages)
        context.ui.message(context.window, QString::fromStdString(message));
    if (answer.resultText) showText(result, QString::fromStdString(*answer.resultText));
}

// Runs `compute` on the worker thread (busy cursor, Cancel), then shows its
// answer; `shown` runs after that on the interface thread. The context is
// copied: the window builds it for its constructor only.
inline void runAnswer(PageContext context, const QString& label,
                      std::function<numerelle::calculus::PageAnswer(numerelle::WorkControl&)> compute,
                      QLineEdit* result, std::function<void(const numerelle::calculus::PageAnswer&)> shown = {}) {
    auto answer = std::make_shared<numerelle::calculus::PageAnswer>();
    context.work.start(
        label, [answer, compute = std::move(compute)](numerelle::WorkControl& control) { *answer = compute(control); },
        [answer, context, result, shown = std::move(shown)](bool) {
            showAnswer(context, *answer, result);
            if (shown) shown(*answer);
        });
}

}  // namespace pages
