#pragma once
// The common behaviour of numeric input boxes: formula fields that evaluate
// on focus loss, the two numeric key filters, and number normalisation.
#include <QString>
#include <functional>

class QAbstractButton;
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

// Writes a text the program made into a box and shows its beginning: a line
// edit keeps its cursor at the end of a new text, so a narrow box would show
// only the last digits.
// A box the user is in gets its whole text selected instead, from the end
// back to the start, so that typing replaces it.
void showText(QLineEdit* box, const QString& text);
// Selects the whole text with the cursor at its start, which stays in view.
void selectShowingStart(QLineEdit* box);

// The widest number text a box may have to show in full: 15 digits, a sign
// and an exponent of three digits with its sign.
inline constexpr const char* kWidestNumberText = "-1.23456789012345E-300";
// Makes a result box at least wide enough for kWidestNumberText.
void fitNumberText(QLineEdit* box);

// Marks the box's last check on leaving it as failed (its message shown, the
// focus given back); a computation started from the box does not run then.
void markLeavingRefused(QLineEdit* box);

// Does what leaving the box would do (its formula commit and every other
// focus-loss handler) without moving the focus; false when one of them
// refused the text.
bool finishEditing(QLineEdit* box);

// Return or Enter in `box` finishes its editing, then clicks the button that
// `button` names at that moment (none: only the editing is finished).
void computeOnEnter(QLineEdit* box, std::function<QAbstractButton*()> button);
void computeOnEnter(QLineEdit* box, QAbstractButton* button);

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
