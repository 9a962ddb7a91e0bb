#include "pages/big_page_support.h"

#include <QLineEdit>
#include <QMimeData>
#include <QTextCursor>
#include <QTextDocumentFragment>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextDocument>
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

void attachDecimalKeyFilter(QLineEdit* box) {
    attachKeyFilter(box, [](QChar ch) { return ch == u'-' || ch == u'.' || (ch >= u'0' && ch <= u'9'); });
}

void attachDigitKeyFilter(QLineEdit* box) {
    attachKeyFilter(box, [](QChar ch) { return ch >= u'0' && ch <= u'9'; });
}

QLineEdit* makeDecimalBox(const char* objectName, const QString& initial, UiServices& ui) {
    QLineEdit* box = makeInputBox(objectName, initial);
    attachDecimalKeyFilter(box);
    onFocusLost(box, [box, &ui] {
        const auto messages = numerelle::bignum::decimalBoxFocusMessages(box->text().toStdString());
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

qsizetype digitsPerLine(const QPlainTextEdit* box) {
    const int digitWidth = std::max(1, box->fontMetrics().horizontalAdvance(QLatin1Char('0')));
    const int width = box->viewport()->width() > 50 ? box->viewport()->width() : 400;
    return std::max(20, width / digitWidth - 1);
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

void runPageAction(LongWorkRunner& work, UiServices& ui, QPushButton* button, const QString& label,
                   std::function<numerelle::bignum::PageOutcome(numerelle::WorkControl&)> action,
                   QPlainTextEdit* resultBox) {
    struct Done {
        numerelle::bignum::PageOutcome outcome;
        QString shown;
    };
    auto done = std::make_shared<Done>();
    const qsizetype perLine = digitsPerLine(resultBox);
    work.start(
        label,
        [done, perLine, action = std::move(action)](numerelle::WorkControl& control) {
            done->outcome = action(control);
            // The display text is built here, so the window only takes it over.
            if (done->outcome.result) done->shown = displayText(toQString(*done->outcome.result), perLine);
        },
        [done, &ui, button, resultBox](bool cancelled) {
            const numerelle::bignum::PageOutcome& outcome = done->outcome;
            if (cancelled || outcome.cancelled) return;
            for (const std::string& message : outcome.messages) ui.message(button->window(), toQString(message));
            if (outcome.result) resultBox->setPlainText(done->shown);
            if (outcome.beep) ui.beep();
            if (outcome.elapsedSeconds)
                button->setToolTip(toQString(numerelle::bignum::elapsedSecondsText(*outcome.elapsedSeconds)));
        });
}

void attachLengthButton(QPushButton* button, QPlainTextEdit* result, QLineEdit* lengthBox) {
    QObject::connect(button, &QPushButton::clicked, lengthBox, [result, lengthBox] {
        lengthBox->setText(QString::number(resultLength(result)));
    });
}

}  // namespace bigpages
