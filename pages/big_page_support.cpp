#include "pages/big_page_support.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextOption>
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

QPlainTextEdit* makeResultBox(const char* objectName, const QString& initial, int lines) {
    auto* box = new QPlainTextEdit(initial);
    box->setObjectName(QString::fromLatin1(objectName));
    box->setReadOnly(true);
    box->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    // Digits have no word breaks: wrap anywhere so a long number fills the box.
    box->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    box->setWordWrapMode(QTextOption::WrapAnywhere);
    box->setTabChangesFocus(true);
    const int lineHeight = box->fontMetrics().lineSpacing();
    box->setFixedHeight(lineHeight * lines + 2 * box->frameWidth() + 8);
    return box;
}

QString resultText(const QPlainTextEdit* box) { return box->toPlainText(); }

void runPageAction(LongWorkRunner& work, UiServices& ui, QPushButton* button, const QString& label,
                   std::function<numerelle::bignum::PageOutcome(numerelle::WorkControl&)> action,
                   std::function<void(const QString&)> show) {
    auto outcome = std::make_shared<numerelle::bignum::PageOutcome>();
    work.start(
        label, [outcome, action = std::move(action)](numerelle::WorkControl& control) { *outcome = action(control); },
        [outcome, &ui, button, show = std::move(show)](bool cancelled) {
            if (cancelled || outcome->cancelled) return;
            for (const std::string& message : outcome->messages) ui.message(button->window(), toQString(message));
            if (outcome->result) show(toQString(*outcome->result));
            if (outcome->beep) ui.beep();
            if (outcome->elapsedSeconds)
                button->setToolTip(toQString(numerelle::bignum::elapsedSecondsText(*outcome->elapsedSeconds)));
        });
}

void attachLengthButton(QPushButton* button, QPlainTextEdit* result, QLineEdit* lengthBox) {
    QObject::connect(button, &QPushButton::clicked, lengthBox, [result, lengthBox] {
        lengthBox->setText(QString::number(result->toPlainText().size()));
    });
}

}  // namespace bigpages
