#pragma once
// One builder per page: each creates its controls (object names as the
// program documents them), wires them to the core and returns the widget the
// main window places on the page's tab. This is all the window shell sees of
// the page layer: the context it hands the builders and the state it keeps
// for them come with it.
#include "pages/page_context.h"
#include "pages/page_state.h"

class QWidget;

namespace pages {

// Tab "大数计算 I"
QWidget* buildBigAddPage(PageContext& context);       // Frame1
QWidget* buildBigMultiplyPage(PageContext& context);  // Frame2
// Tab "大数计算 II"
QWidget* buildBigPowerPage(PageContext& context);      // Frame4
QWidget* buildBigFactorialPage(PageContext& context);  // Frame3
// Tab "杂项 I"
QWidget* buildFactorisationPage(PageContext& context);  // Frame5
QWidget* buildFractionPage(PageContext& context);       // Frame6
QWidget* buildSquareRootPage(PageContext& context);     // Frame9
QWidget* buildGcdPage(PageContext& context);            // Frame14
QWidget* buildLogarithmPage(PageContext& context);      // Frame15
QWidget* buildPermutationPage(PageContext& context);    // Frame16
// Tab "复数计算"
QWidget* buildComplexPage(PageContext& context);  // Frame13 and Frame11
// Tab "解方程"
QWidget* buildPolynomialPage(PageContext& context);    // Frame20
QWidget* buildLinearSystemPage(PageContext& context);  // Frame19
// Tab "矩阵计算"
QWidget* buildMatrixPage(PageContext& context);         // Frame17
QWidget* buildMatrixProductPage(PageContext& context);  // Frame18
QWidget* buildHessenbergPage(PageContext& context);     // Frame21
// Tab "单位转化"
QWidget* buildUnitPage(PageContext& context);       // Label9, Label10, Combo1, List2, List3, ...
QWidget* buildAngleBasePage(PageContext& context);  // Frame7 with Frame22
// Tab " 高等数学"
QWidget* buildSumPage(PageContext& context);       // Frame8
QWidget* buildCalculusPage(PageContext& context);  // Frame10

}  // namespace pages
