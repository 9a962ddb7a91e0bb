#pragma once
// Boxes that hold one number: a number of any digit count, a decimal, and a
// box that must hold a number before a button converts it.
#include <QString>
#include <optional>

class QLineEdit;
class QWidget;
class UiServices;

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

// The box's value when its whole text is one number; otherwise asks the user
// (a box over `parent`) for a number, puts the focus back into the box and
// gives nothing.
std::optional<double> requireNumber(QLineEdit* box, UiServices& ui, QWidget* parent);
