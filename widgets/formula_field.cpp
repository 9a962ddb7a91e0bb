#include "widgets/formula_field.h"

#include <QAbstractButton>
#include <QEvent>
#include <QFocusEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QStyle>
#include <QVariant>
#include <algorithm>

#include "common/number_text.h"
#include "expr/jxjs.h"
#include "widgets/ui_services.h"

namespace {

// While a failed commit shows its message and hands the focus back, the
// focus passes through other boxes; their focus losses are not the user's.
// The window carries the mark, so that separate windows do not share it.
constexpr const char* kGivingFocusBack = "numerelleGivingFocusBack";
// Set on a box whose check on leaving refused its text.
constexpr const char* kLeavingRefused = "numerelleLeavingRefused";

class FocusLossFilter final : public QObject {
public:
    FocusLossFilter(QLineEdit* box, std::function<void()> handler) : QObject(box), handler_(std::move(handler)) {}

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::FocusOut) {
            const auto reason = static_cast<QFocusEvent*>(event)->reason();
            const bool givingFocusBack = static_cast<QWidget*>(watched)->window()->property(kGivingFocusBack).toBool();
            if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason && !givingFocusBack) handler_();
        }
        return false;
    }

    void run() const { handler_(); }

private:
    std::function<void()> handler_;
};

class KeyFilter final : public QObject {
public:
    KeyFilter(QLineEdit* box, std::function<bool(QChar)> keep) : QObject(box), keep_(std::move(keep)) {}

    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::InputMethod) {
            // An input method commits text without key presses (full-width
            // digits, Chinese characters): its characters pass the same test.
            auto* input = static_cast<QInputMethodEvent*>(event);
            QString kept;
            for (QChar ch : input->commitString())
                if (keep_(ch)) kept += ch;
            if (kept != input->commitString())
                input->setCommitString(kept, input->replacementStart(), input->replacementLength());
            return false;
        }
        if (event->type() != QEvent::KeyPress) return false;
        const auto* key = static_cast<QKeyEvent*>(event);
        // Shortcuts (copy, paste, select all) are not typing, whatever text
        // the platform attaches to them.
        if (key->modifiers() & (Qt::ControlModifier | Qt::MetaModifier)) return false;
        const QString text = key->text();
        if (text.isEmpty()) return false;  // arrows, Home, Delete and the like
        for (QChar ch : text) {
            if (ch.unicode() < 0x20) continue;  // backspace and other control keys
            if (!keep_(ch)) return true;        // swallow the key
        }
        return false;
    }

private:
    std::function<bool(QChar)> keep_;
};

}  // namespace

bool commitFormulaField(QLineEdit* box, UiServices& ui) {
    const std::string text = box->text().toStdString();
    const numerelle::expr::Evaluation result = numerelle::expr::evaluateFormula(text);
    if (!result.ok()) {
        markLeavingRefused(box);
        QWidget* window = box->window();
        window->setProperty(kGivingFocusBack, true);
        for (const std::string& message : numerelle::formulaFailureMessages(result.failure))
            ui.message(window, QString::fromStdString(message));
        box->setFocus(Qt::OtherFocusReason);
        window->setProperty(kGivingFocusBack, false);
        return false;
    }
    showText(box, QString::fromStdString(numerelle::numberText(result.value)));
    return true;
}

void showText(QLineEdit* box, const QString& text) {
    box->setText(text);
    if (box->hasFocus()) selectShowingStart(box);
    else box->setCursorPosition(0);
}

void selectShowingStart(QLineEdit* box) {
    const int length = static_cast<int>(box->text().size());
    box->setSelection(length, -length);
}

void fitNumberText(QLineEdit* box) {
    // The line edit's frame and its own margins of 2 pixels each side, and
    // room for the cursor.
    const int frame = 2 * box->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, box);
    const QMargins margins = box->textMargins();
    const int width = box->fontMetrics().horizontalAdvance(QString::fromLatin1(kWidestNumberText)) + frame +
                      margins.left() + margins.right() + 4 + 2;
    box->setMinimumWidth(std::max(box->minimumWidth(), width));
}

void markLeavingRefused(QLineEdit* box) {
    box->setProperty(kLeavingRefused, true);
}

bool finishEditing(QLineEdit* box) {
    box->setProperty(kLeavingRefused, false);
    // The handlers in the order they were attached, as a focus loss runs them.
    for (QObject* child : box->children())
        if (auto* filter = dynamic_cast<FocusLossFilter*>(child)) {
            filter->run();
            if (box->property(kLeavingRefused).toBool()) return false;
        }
    return true;
}

void computeOnEnter(QLineEdit* box, std::function<QAbstractButton*()> button) {
    QObject::connect(box, &QLineEdit::returnPressed, box, [box, button = std::move(button)] {
        if (!finishEditing(box)) return;
        if (QAbstractButton* pressed = button()) pressed->click();
    });
}

void computeOnEnter(QLineEdit* box, QAbstractButton* button) {
    computeOnEnter(box, [button] { return button; });
}

void onFocusLost(QLineEdit* box, std::function<void()> handler) {
    box->installEventFilter(new FocusLossFilter(box, std::move(handler)));
}

void attachFormulaField(QLineEdit* box, UiServices& ui, std::function<void()> afterCommit) {
    onFocusLost(box, [box, &ui, afterCommit = std::move(afterCommit)] {
        if (commitFormulaField(box, ui) && afterCommit) afterCommit();
    });
}

void attachKeyFilter(QLineEdit* box, std::function<bool(QChar)> keep) {
    box->installEventFilter(new KeyFilter(box, std::move(keep)));
}

void attachSignedNumericFilter(QLineEdit* box) {
    attachKeyFilter(box, [](QChar ch) { return ch == u'-' || (ch >= u'.' && ch <= u'9'); });
}

void attachUnsignedNumericFilter(QLineEdit* box) {
    attachKeyFilter(box, [](QChar ch) { return ch >= u'.' && ch <= u'9'; });
}

double boxNumber(const QLineEdit* box) {
    return numerelle::expr::leadingNumber(box->text().toStdString());
}

void normaliseNumberText(QLineEdit* box) {
    showText(box, QString::fromStdString(numerelle::numberText(boxNumber(box))));
}
