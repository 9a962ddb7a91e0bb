#pragma once
// Pieces shared by the matrix and equation pages: focus-gained handlers,
// greyed cells, and running a computation either at once or through the
// long-work runner.
#include <QColor>
#include <QEvent>
#include <QFocusEvent>
#include <QLineEdit>
#include <QPalette>
#include <QScrollBar>
#include <QString>
#include <functional>
#include <string>

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
