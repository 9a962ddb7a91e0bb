#include "widgets/number_box.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QDropEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <limits>

#include "bignum/longjs.h"
#include "numtools/units.h"
#include "widgets/formula_field.h"
#include "widgets/ui_services.h"

QLineEdit* makeInputBox(const char* objectName, const QString& initial) {
    auto* box = new QLineEdit(initial);
    box->setObjectName(QString::fromLatin1(objectName));
    box->setMaxLength(std::numeric_limits<int>::max());
    return box;
}

namespace {

class NumberBox final : public QLineEdit {
public:
    using QLineEdit::QLineEdit;

    QString number() const { return held_.isNull() ? text() : held_; }

    void setNumber(QString text) {
        text.remove(u'\n');
        text.remove(u'\r');
        if (text.size() <= kLongNumber) {
            held_ = QString();
            setReadOnly(false);
            showText(this, text);
            return;
        }
        held_ = std::move(text);
        setReadOnly(true);
        showText(this, QStringLiteral("%1…%2（共%3个字符）")
                           .arg(QStringView(held_).left(12), QStringView(held_).right(12))
                           .arg(held_.size()));
    }

protected:
    void keyPressEvent(QKeyEvent* event) override {
        if (event->matches(QKeySequence::Paste)) {
            pasteFrom(QClipboard::Clipboard);
        } else if (held_.isNull()) {
            QLineEdit::keyPressEvent(event);
        } else if (event->matches(QKeySequence::Copy)) {
            copyHeld();
        } else if (event->matches(QKeySequence::Cut)) {
            copyHeld();
            setNumber(QString());
        } else if (event->key() == Qt::Key_Backspace || event->key() == Qt::Key_Delete) {
            setNumber(QString());
        } else {
            QLineEdit::keyPressEvent(event);  // moving and selecting; the box is read-only
        }
    }

    void contextMenuEvent(QContextMenuEvent* event) override {
        if (held_.isNull()) {
            QMenu* menu = createStandardContextMenu();
            // Pasting goes through the check for long numbers. The standard
            // entry is known by its shortcut, which its text ends with.
            const QString pasteKey = u'\t' + QKeySequence(QKeySequence::Paste).toString(QKeySequence::NativeText);
            for (QAction* action : menu->actions()) {
                if (!action->text().endsWith(pasteKey)) continue;
                action->disconnect();
                connect(action, &QAction::triggered, this, [this] { pasteFrom(QClipboard::Clipboard); });
            }
            menu->setAttribute(Qt::WA_DeleteOnClose);
            menu->popup(event->globalPos());
            return;
        }
        auto* menu = new QMenu(this);
        menu->setAttribute(Qt::WA_DeleteOnClose);
        menu->addAction(QStringLiteral("复制"), this, [this] { copyHeld(); });
        menu->addAction(QStringLiteral("粘贴"), this, [this] { pasteFrom(QClipboard::Clipboard); });
        menu->addAction(QStringLiteral("清除"), this, [this] { setNumber(QString()); });
        menu->popup(event->globalPos());
    }

    void dropEvent(QDropEvent* event) override {
        if (!event->mimeData()->hasText()) return QLineEdit::dropEvent(event);
        insertOrHold(event->mimeData()->text());
        event->acceptProposedAction();
    }

    void mouseReleaseEvent(QMouseEvent* event) override {
        // The X11 selection is pasted with the middle button.
        if (event->button() == Qt::MiddleButton && QApplication::clipboard()->supportsSelection()) {
            pasteFrom(QClipboard::Selection);
            return;
        }
        QLineEdit::mouseReleaseEvent(event);
    }

private:
    void copyHeld() { QApplication::clipboard()->setText(held_); }

    void pasteFrom(QClipboard::Mode mode) { insertOrHold(QApplication::clipboard()->text(mode)); }

    // Replaces the selection (a held number as a whole) by `inserted`.
    void insertOrHold(const QString& inserted) {
        if (!held_.isNull()) return setNumber(inserted);
        QString whole = text();
        const qsizetype at = hasSelectedText() ? selectionStart() : cursorPosition();
        whole.replace(at, selectedText().size(), inserted);
        if (whole.size() <= kLongNumber) {
            insert(inserted);  // keeps the undo history
            return;
        }
        setNumber(whole);
    }

    QString held_;  // the whole number when it is too long to show; null otherwise
};

}  // namespace

QLineEdit* makeNumberBox(const char* objectName, const QString& initial) {
    auto* box = new NumberBox(initial);
    box->setObjectName(QString::fromLatin1(objectName));
    box->setMaxLength(std::numeric_limits<int>::max());
    return box;
}

QString inputText(const QLineEdit* box) {
    if (const auto* number = dynamic_cast<const NumberBox*>(box)) return number->number();
    return box->text();
}

void setInputText(QLineEdit* box, const QString& text) {
    if (auto* number = dynamic_cast<NumberBox*>(box)) number->setNumber(text);
    else showText(box, text);
}

void attachDecimalKeyFilter(QLineEdit* box) {
    attachKeyFilter(box, [](QChar ch) { return ch == u'-' || ch == u'.' || (ch >= u'0' && ch <= u'9'); });
}

void attachDigitKeyFilter(QLineEdit* box) {
    attachKeyFilter(box, [](QChar ch) { return ch >= u'0' && ch <= u'9'; });
}

QLineEdit* makeDecimalBox(const char* objectName, const QString& initial, UiServices& ui) {
    QLineEdit* box = makeNumberBox(objectName, initial);
    attachDecimalKeyFilter(box);
    onFocusLost(box, [box, &ui] {
        const auto messages = numerelle::bignum::decimalBoxFocusMessages(inputText(box).toStdString());
        for (const std::string& message : messages) ui.message(box->window(), QString::fromStdString(message));
        if (messages.empty()) return;
        markLeavingRefused(box);
        box->setFocus(Qt::OtherFocusReason);
    });
    return box;
}

std::optional<double> requireNumber(QLineEdit* box, UiServices& ui, QWidget* parent) {
    const std::optional<double> value = numerelle::numtools::readNumber(box->text().toStdString());
    if (!value) {
        ui.message(parent, QStringLiteral("请先在框里输入一个数！"));
        box->setFocus(Qt::OtherFocusReason);
    }
    return value;
}
