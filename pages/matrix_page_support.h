#pragma once
// Pieces shared by the matrix and equation pages: greyed cells, the count
// line, and running a computation either at once or through the long-work
// runner.
#include <QColor>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QString>
#include <functional>
#include <memory>
#include <string>

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
    const QColor colour =
        usable ? QColor(Qt::white) : cell->palette().color(QPalette::Active, QPalette::Window).darker(110);
    palette.setColor(QPalette::All, QPalette::Base, colour);
    cell->setPalette(palette);
}

inline QString text(const std::string& utf8) {
    return QString::fromStdString(utf8);
}

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

// A value the program writes into a cell shows its beginning (sign and
// leading digits) should it still be longer than the cell.
inline void showValue(QLineEdit* cell, const QString& value) {
    showText(cell, value);
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
