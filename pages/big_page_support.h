#pragma once
// Pieces shared by the big-number pages: their buttons and signs, and
// running a page action on the long-work runner and showing what it returns.
#include <QString>
#include <functional>
#include <string>

#include "bignum/longjs.h"
#include "widgets/number_box.h"
#include "widgets/result_view.h"

class QLabel;
class QLayout;
class QLineEdit;
class QPushButton;
class QWidget;
class UiServices;
class LongWorkRunner;

namespace pages {

// The "=" button of a page.
QPushButton* makeEqualsButton(const char* objectName);
// A bold operator between two input boxes ("+", "-", "*").
QLabel* makeOperatorLabel(const char* objectName, const QString& text);

// Runs `action` on the long-work runner. On the UI thread afterwards: the
// messages in message boxes, the result text (when there is one) in
// `resultBox`, the beep, and the elapsed time in `button`'s tool tip.
// Nothing changes when the user cancelled.
void runPageAction(LongWorkRunner& work, UiServices& ui, QPushButton* button, const QString& label,
                   std::function<numerelle::bignum::PageOutcome(numerelle::WorkControl&)> action,
                   ResultView* resultBox);

}  // namespace pages
