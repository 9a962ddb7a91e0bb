#pragma once
// The common behaviour of numeric input boxes: formula fields that evaluate
// on focus loss, the two numeric key filters, and number normalisation.
#include <QString>
#include <functional>

class QLineEdit;
class UiServices;

// Evaluates the box's text as a formula. On success the text becomes the
// value's number text and true is returned; on failure "式子有问题" is shown
// (after "括号错了!" for unequal brackets), the text is kept, the focus goes
// back to the box and false is returned.
bool commitFormulaField(QLineEdit* box, UiServices& ui);

// Makes `box` a formula field: it commits whenever it loses the focus, then
// runs `afterCommit` (if given) when the commit succeeded.
void attachFormulaField(QLineEdit* box, UiServices& ui, std::function<void()> afterCommit = {});

// Runs `handler` whenever `box` loses the focus to another widget of the
// window (not when the window itself is deactivated or a popup opens).
void onFocusLost(QLineEdit* box, std::function<void()> handler);

// Discards every typed character for which `keep` is false, and every such
// character of text an input method commits (backspace and editing keys
// always pass).
void attachKeyFilter(QLineEdit* box, std::function<bool(QChar)> keep);
// "-", and every character from "." to "9" (so "/" passes too).
void attachSignedNumericFilter(QLineEdit* box);
// Every character from "." to "9".
void attachUnsignedNumericFilter(QLineEdit* box);

// Replaces the text by the number text of its leading number ("0" if none).
void normaliseNumberText(QLineEdit* box);
// The value of the leading number of a box's text.
double boxNumber(const QLineEdit* box);
