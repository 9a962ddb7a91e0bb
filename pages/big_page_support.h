#pragma once
// Pieces shared by the big-number pages: their boxes, and running a page
// action on the long-work runner and showing what it returns.
#include <QString>
#include <functional>
#include <string>

#include "bignum/longjs.h"
#include "widgets/result_view.h"

class QLabel;
class QLayout;
class QLineEdit;
class QPushButton;
class QWidget;
class UiServices;
class LongWorkRunner;

namespace bigpages {

QString toQString(const std::string& text);

// A one-line input box of unlimited length.
QLineEdit* makeInputBox(const char* objectName, const QString& initial);

// A number box for digits of any count. A line edit lays out its whole text
// on every key and cursor blink, so a number of more than kLongNumber
// characters is held aside instead: the box shows its first and last digits
// and its length, read-only. Copying gives the whole number, pasting replaces
// it, Backspace or Delete empties the box.
inline constexpr qsizetype kLongNumber = 20'000;
QLineEdit* makeNumberBox(const char* objectName, const QString& initial);
// What a box holds: the whole number of a number box, the text of any other.
QString inputText(const QLineEdit* box);
// Puts `text` into a box made by makeNumberBox (or sets any other's text).
void setInputText(QLineEdit* box, const QString& text);

// A decimal input box: keeps "-", ".", the digits and Backspace; on focus
// loss reports a misplaced "-" or a second point and takes the focus back.
// It is a number box.
QLineEdit* makeDecimalBox(const char* objectName, const QString& initial, UiServices& ui);
// The key filter of decimal boxes alone (the power page's base box has no
// focus-loss check).
void attachDecimalKeyFilter(QLineEdit* box);
// Keeps only digits and Backspace.
void attachDigitKeyFilter(QLineEdit* box);

// A read-only, scrollable result box that holds tens of millions of digits
// without slowing the window; its context menu copies, selects all and saves
// the whole text to a file (asking through `ui`).
ResultView* makeResultBox(const char* objectName, const QString& initial, UiServices& ui, int lines = 3);

// Shows `text` in a result box.
void setResultText(ResultView* box, QString text);
// The whole text.
const QString& resultText(const ResultView* box);
// Its character count.
qsizetype resultLength(const ResultView* box);

// The "=" button of a page.
QPushButton* makeEqualsButton(const char* objectName);
// A bold operator between two input boxes ("+", "-", "*").
QLabel* makeOperatorLabel(const char* objectName, const QString& text);

// The row under a long result: the "结果长度" button, the box it fills with
// the result's character count, and the caption "位数", to the right. A
// count shown follows the result when it changes.
QLayout* makeLengthRow(const char* buttonName, const char* boxName, const char* captionName, ResultView* result);

// Runs `action` on the long-work runner. On the UI thread afterwards: the
// messages in message boxes, the result text (when there is one) in
// `resultBox`, the beep, and the elapsed time in `button`'s tool tip.
// Nothing changes when the user cancelled.
void runPageAction(LongWorkRunner& work, UiServices& ui, QPushButton* button, const QString& label,
                   std::function<numerelle::bignum::PageOutcome(numerelle::WorkControl&)> action,
                   ResultView* resultBox);

}  // namespace bigpages
