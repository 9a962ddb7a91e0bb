#include "pages/big_page_support.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QDropEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QPlainTextDocumentLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStyle>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextDocumentFragment>
#include <QTextOption>
#include <algorithm>
#include <limits>
#include <memory>

#include "app/formula_field.h"
#include "app/long_work.h"
#include "app/ui_services.h"

namespace bigpages {

QString toQString(const std::string& text) { return QString::fromStdString(text); }

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
            setText(text);
            return;
        }
        held_ = std::move(text);
        setReadOnly(true);
        setText(QStringLiteral("%1…%2（共%3个字符）")
                    .arg(QStringView(held_).left(12), QStringView(held_).right(12))
                    .arg(held_.size()));
        setCursorPosition(0);
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
    else box->setText(text);
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
        for (const std::string& message : messages) ui.message(box->window(), toQString(message));
        if (!messages.empty()) box->setFocus(Qt::OtherFocusReason);
    });
    return box;
}

namespace {

class ResultBox final : public QPlainTextEdit {
public:
    using QPlainTextEdit::QPlainTextEdit;

protected:
    // Copying gives the number without the display line breaks.
    QMimeData* createMimeDataFromSelection() const override {
        auto* data = new QMimeData;
        QString text = textCursor().selection().toPlainText();
        text.remove(u'\n');
        data->setText(text);
        return data;
    }
};

}  // namespace

QPlainTextEdit* makeResultBox(const char* objectName, const QString& initial, int lines) {
    auto* box = new ResultBox;
    box->setObjectName(QString::fromLatin1(objectName));
    box->setReadOnly(true);
    box->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    box->setLineWrapMode(QPlainTextEdit::NoWrap);
    box->setTabChangesFocus(true);
    const int lineHeight = box->fontMetrics().lineSpacing();
    box->setFixedHeight(lineHeight * lines + 2 * box->frameWidth() + 8);
    setResultText(box, initial);
    return box;
}

// How many digits fit a line without a horizontal scroll bar, once the
// vertical one has appeared beside a long result.
qsizetype digitsPerLine(const QPlainTextEdit* box) {
    const int digitWidth = std::max(1, box->fontMetrics().horizontalAdvance(QLatin1Char('0')));
    const int scrollBar = box->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, box);
    const int margins = 2 * box->frameWidth() + 2 * static_cast<int>(box->document()->documentMargin()) + 4;
    const int width = box->width() > 100 ? box->width() - scrollBar - margins : 400;
    return std::max(20, width / digitWidth);
}

// One paragraph of 10^5 characters costs the layout a third of a second;
// lines as wide as the box cost only the visible ones.
QString displayText(const QString& text, qsizetype perLine) {
    if (text.size() <= perLine) return text;
    QString shown;
    shown.reserve(text.size() + text.size() / perLine + 1);
    for (qsizetype at = 0; at < text.size(); at += perLine) {
        if (at > 0) shown += u'\n';
        shown += QStringView(text).mid(at, perLine);
    }
    return shown;
}

void setResultText(QPlainTextEdit* box, const QString& text) {
    box->setPlainText(displayText(text, digitsPerLine(box)));
}

QString resultText(const QPlainTextEdit* box) { return box->toPlainText().remove(u'\n'); }

qsizetype resultLength(const QPlainTextEdit* box) {
    // Every paragraph ends in a separator the user never sees.
    return box->document()->characterCount() - box->document()->blockCount();
}

namespace {

// A document made on the worker thread is released on the UI thread, where it
// lives once handed over.
struct LaterDeleter {
    void operator()(QTextDocument* document) const { document->deleteLater(); }
};
using ResultDocument = std::unique_ptr<QTextDocument, LaterDeleter>;

// The paragraphs of tens of millions of digits take seconds to build; the
// worker builds them, piece by piece so that Cancel still answers, and the
// window only lays out the new document. Null when cancelled.
ResultDocument buildResultDocument(const QString& shown, numerelle::WorkControl& control) {
    ResultDocument document(new QTextDocument);
    document->setUndoRedoEnabled(false);
    QTextCursor cursor(document.get());
    constexpr qsizetype kPiece = 1 << 20;
    for (qsizetype at = 0; at < shown.size(); at += kPiece) {
        if (control.cancelled()) return nullptr;
        cursor.insertText(shown.mid(at, kPiece));
    }
    document->moveToThread(QCoreApplication::instance()->thread());
    return document;
}

void adoptResultDocument(QPlainTextEdit* box, ResultDocument document) {
    QTextDocument* old = box->document();
    const bool oldIsOurs = old->parent() == box;  // the editor deletes only its own first document
    QTextDocument* adopted = document.release();
    adopted->setParent(box);
    adopted->setDefaultFont(box->font());
    adopted->setDocumentLayout(new QPlainTextDocumentLayout(adopted));
    box->setDocument(adopted);
    if (oldIsOurs) delete old;
}

}  // namespace

void runPageAction(LongWorkRunner& work, UiServices& ui, QPushButton* button, const QString& label,
                   std::function<numerelle::bignum::PageOutcome(numerelle::WorkControl&)> action,
                   QPlainTextEdit* resultBox) {
    struct Done {
        numerelle::bignum::PageOutcome outcome;
        ResultDocument shown;
    };
    auto done = std::make_shared<Done>();
    const qsizetype perLine = digitsPerLine(resultBox);
    work.start(
        label,
        [done, perLine, action = std::move(action)](numerelle::WorkControl& control) {
            done->outcome = action(control);
            if (done->outcome.result)
                done->shown = buildResultDocument(displayText(toQString(*done->outcome.result), perLine), control);
        },
        [done, &ui, button, resultBox](bool cancelled) {
            const numerelle::bignum::PageOutcome& outcome = done->outcome;
            if (cancelled || outcome.cancelled) return;
            for (const std::string& message : outcome.messages) ui.message(button->window(), toQString(message));
            if (done->shown) adoptResultDocument(resultBox, std::move(done->shown));
            if (outcome.beep) ui.beep();
            if (outcome.elapsedSeconds)
                button->setToolTip(toQString(numerelle::bignum::elapsedSecondsText(*outcome.elapsedSeconds)));
        });
}

QPushButton* makeEqualsButton(const char* objectName) {
    auto* button = new QPushButton(QStringLiteral("="));
    button->setObjectName(QString::fromLatin1(objectName));
    button->setMaximumWidth(40);
    return button;
}

QLabel* makeOperatorLabel(const char* objectName, const QString& text) {
    auto* label = new QLabel(text);
    label->setObjectName(QString::fromLatin1(objectName));
    label->setAlignment(Qt::AlignCenter);
    label->setStyleSheet(QStringLiteral("font-size: 16px; font-weight: bold;"));
    return label;
}

QLayout* makeLengthRow(const char* buttonName, const char* boxName, const char* captionName, QPlainTextEdit* result) {
    auto* button = new QPushButton(QStringLiteral("结果长度"));
    button->setObjectName(QString::fromLatin1(buttonName));
    QLineEdit* lengthBox = makeInputBox(boxName, QString());
    lengthBox->setReadOnly(true);
    lengthBox->setMaximumWidth(120);
    auto* caption = new QLabel(QStringLiteral("位数"));
    caption->setObjectName(QString::fromLatin1(captionName));
    QObject::connect(button, &QPushButton::clicked, lengthBox, [result, lengthBox] {
        lengthBox->setText(QString::number(resultLength(result)));
    });
    auto* row = new QHBoxLayout;
    row->addStretch(1);
    row->addWidget(button);
    row->addWidget(lengthBox);
    row->addWidget(caption);
    return row;
}

}  // namespace bigpages
