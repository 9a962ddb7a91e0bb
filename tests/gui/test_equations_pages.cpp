// Frame19 and Frame20: the scrolled 4 × 5 equation grid with its unknown
// names and solution line, and the polynomial page with its roots.
#include "gui_test_support.h"

namespace {

struct EquationPages {
    TestWindow t;
    QLineEdit* count = t.find<QLineEdit>("Text57");
    QLineEdit* solution = t.find<QLineEdit>("Text58");
    QScrollBar* columns = t.find<QScrollBar>("HScroll2");
    QScrollBar* rows = t.find<QScrollBar>("VScroll3");
    QLineEdit* degree = t.find<QLineEdit>("Text59");
    QScrollBar* coefficientScroll = t.find<QScrollBar>("HScroll3");
    QPlainTextEdit* roots = t.find<QPlainTextEdit>("polynomialRoots");
    PageState& state = t.window->pageState();

    EquationPages() { t.showTabOf(count); }

    QLineEdit* cell(int i) { return t.find<QLineEdit>(QStringLiteral("jfc_%1").arg(i)); }
    QLabel* name(int i) { return t.find<QLabel>(QStringLiteral("jfc1_%1").arg(i)); }
    QLineEdit* coefficient(int i) { return t.find<QLineEdit>(QStringLiteral("ncfc_%1").arg(i)); }
    QLabel* power(int i) { return t.find<QLabel>(QStringLiteral("ncfc1_%1").arg(i)); }
    void enter(QLineEdit* box, const QString& text) { t.enter(box, text); }
    // Rows of n coefficients and a right-hand side, n ≤ 4.
    void enterSystem(std::initializer_list<std::initializer_list<double>> system) {
        enter(count, QString::number(system.size()));
        int r = 0;
        for (const auto& row : system) {
            int c = 0;
            for (double v : row) enter(cell(5 * r + c++), QString::number(v));
            ++r;
        }
    }
    void solve() {
        QTest::mouseClick(t.find<QPushButton>("Command32"), Qt::LeftButton);
        t.window->longWork().waitForIdle();
    }
};

}  // namespace

class EquationPagesTest : public QObject {
    Q_OBJECT

private slots:
    void layoutFollowsTheUnknownCount() {
        EquationPages p;
        for (int i = 0; i < 20; ++i) QCOMPARE(p.cell(i)->isVisible(), i < 2);
        for (int i = 0; i < 16; ++i) QCOMPARE(p.name(i)->isVisible(), i == 0);
        QVERIFY(!p.columns->isVisible());
        QVERIFY(!p.rows->isVisible());
        // The layout follows the count.
        p.enter(p.count, QStringLiteral("2"));
        for (int i = 0; i < 20; ++i) QCOMPARE(p.cell(i)->isVisible(), i / 5 < 2 && i % 5 <= 2);
        p.t.expectShown({{"jfc1_0", "A+"}, {"jfc1_1", "B="}});
        QVERIFY(p.name(5)->isVisible());
        QVERIFY(!p.name(2)->isVisible());
        p.enter(p.count, QStringLiteral("0"));
        QCOMPARE(p.count->text(), QStringLiteral("1"));
        QCOMPARE(p.t.ui.beeps, 1);
        p.t.type(p.count, QStringLiteral("a+2.7"));
        QCOMPARE(p.count->text(), QStringLiteral("2.7"));  // the filter keeps "." to "9"
        p.t.leaveFocus();
        QCOMPARE(p.count->text(), QStringLiteral("2"));
    }

    void singularSystemKeepsTheLastLine() {
        EquationPages p;
        p.enterSystem({{1, 1, 3}, {1, -1, 1}});
        p.solve();
        p.enterSystem({{1, 1, 1}, {2, 2, 2}});
        p.solve();
        QCOMPARE(p.t.ui.messages, QStringList{QStringLiteral("无解或有无穷多的解")});
        QCOMPARE(p.solution->text(), QStringLiteral("A=2 B=1 "));
    }

    // The right-hand sides sit in the last window column; a new count
    // empties the store and puts the window back at the corner.
    void scrolledGridAndNewCount() {
        EquationPages p;
        p.enter(p.count, QStringLiteral("6"));
        QVERIFY(p.columns->isVisible());
        QCOMPARE(p.columns->maximum(), 2);
        QCOMPARE(p.rows->maximum(), 2);
        p.enter(p.cell(0), QStringLiteral("4"));
        p.columns->setValue(2);
        p.t.expectShown({{"jfc1_3", "F="}, {"jfc1_0", "C+"}});
        p.enter(p.cell(4), QStringLiteral("5"));  // right-hand side of equation 1
        QCOMPARE(p.state.equationStore[6], 5.0);
        p.rows->setValue(2);
        p.enter(p.cell(19), QStringLiteral("-1"));  // right-hand side of equation 6
        QCOMPARE(p.state.equationStore[5 * 7 + 6], -1.0);
        p.enter(p.count, QStringLiteral("6"));  // same count: kept
        QCOMPARE(p.state.equationStore[0], 4.0);
        p.enter(p.count, QStringLiteral("7"));
        QCOMPARE(p.columns->value(), 0);
        QCOMPARE(p.rows->value(), 0);
        QCOMPARE(p.state.equationStore, std::vector<double>(7 * 8 + 1, 0.0));
        QCOMPARE(p.cell(0)->text(), QStringLiteral("0"));
        p.enter(p.cell(6), QStringLiteral("3"));  // (1, 1) of the new system
        QCOMPARE(p.state.equationStore[8 + 1], 3.0);
    }

    // 2·x_j = 2j for j = 1..54, typed through the 4 × 5 window: each
    // coefficient where the bars put it, the right-hand sides from the last
    // window column; one value is typed and left focused while a wheel turn
    // moves the window.
    void fiftyFourUnknownsThroughTheScrolledGrid() {
        EquationPages p;
        p.enter(p.count, QStringLiteral("54"));
        QCOMPARE(p.columns->maximum(), 50);
        for (int j = 0; j < 54; ++j) {
            const int corner = std::min(j, 50);
            p.rows->setValue(corner);
            p.columns->setValue(corner);
            const int r = j - corner;
            p.enter(p.cell(5 * r + r), QStringLiteral("2"));
        }
        p.columns->setValue(50);
        for (int top = 0; top < 54; top += 4) {
            p.rows->setValue(std::min(top, 50));
            for (int j = top; j < std::min(top + 4, 54); ++j) {
                QLineEdit* rhs = p.cell(5 * (j - p.rows->value()) + 4);
                if (j == 53) {
                    p.t.type(rhs, QStringLiteral("2*54"));  // still focused
                    p.rows->setValue(49);
                } else {
                    p.enter(rhs, QString::number(2 * (j + 1)));
                }
            }
        }
        QCOMPARE(p.name(3)->text(), QStringLiteral("|="));
        p.solve();
        const QStringList parts = p.solution->text().split(' ', Qt::SkipEmptyParts);
        QCOMPARE(parts.size(), 54);
        QCOMPARE(parts.first(), QStringLiteral("A=1"));
        QCOMPARE(parts[25], QStringLiteral("Z=26"));
        QCOMPARE(parts[26], QStringLiteral("a=27"));
        QCOMPARE(parts.last(), QStringLiteral("|=54"));
        QVERIFY(p.solution->text().endsWith(' '));
    }

    // Neither page changes its width as counts change, so neither pushes
    // the other about on their shared tab.
    void pagesKeepTheirWidthsAsCountsChange() {
        EquationPages p;
        QWidget* equations = p.t.find<QWidget>("Frame19");
        QWidget* polynomial = p.t.find<QWidget>("Frame20");
        const int equationsWidth = equations->width(), polynomialWidth = polynomial->width();
        const struct {
            const char* unknowns;
            const char* degree;
        } rows[] = {{"2", "2"}, {"4", "3"}, {"5", "5"}, {"54", "100"}, {"3", "1"}};
        for (const auto& row : rows) {
            p.enter(p.count, QString::fromLatin1(row.unknowns));
            p.enter(p.degree, QString::fromLatin1(row.degree));
            QApplication::processEvents();
            QCOMPARE(equations->width(), equationsWidth);
            QCOMPARE(polynomial->width(), polynomialWidth);
        }
    }

    void polynomialPageStartsLinear() {
        EquationPages p;
        QVERIFY(!p.coefficient(2)->isVisible());
        QTest::mouseClick(p.t.find<QPushButton>("polynomialSolve"), Qt::LeftButton);
        QCOMPARE(p.roots->toPlainText(), QStringLiteral("-1"));
    }

    void polynomialCoefficientsScroll() {
        EquationPages p;
        p.enter(p.degree, QStringLiteral("5"));
        QCOMPARE(p.coefficientScroll->maximum(), 2);
        QCOMPARE(p.power(0)->text(), QStringLiteral("x^5"));
        p.coefficientScroll->setValue(2);
        p.t.expectShown({{"ncfc1_0", "x^3"}, {"ncfc1_3", "常数项"}});
        p.enter(p.coefficient(3), QStringLiteral("-32"));
        QCOMPARE(p.state.polynomialCoefficients.back(), -32.0);
        // x^5 + x^4 + x^3 + x^2 + x − 32: 0 coefficients make it x^5 − 32.
        for (int i = 0; i < 3; ++i) p.enter(p.coefficient(i), QStringLiteral("0"));
        p.coefficientScroll->setValue(0);
        p.enter(p.coefficient(1), QStringLiteral("0"));
        QTest::mouseClick(p.t.find<QPushButton>("polynomialSolve"), Qt::LeftButton);
        const QStringList lines = p.roots->toPlainText().split('\n');
        QCOMPARE(lines.size(), 5);
        QCOMPARE(lines.first(), QStringLiteral("2"));
    }

    void polynomialRefusals() {
        EquationPages p;
        p.enter(p.degree, QStringLiteral("200"));
        QCOMPARE(p.degree->text(), QStringLiteral("100"));
        QCOMPARE(p.t.ui.beeps, 1);
        p.enter(p.degree, QStringLiteral("2"));
        p.enter(p.coefficient(0), QStringLiteral("0"));
        QTest::mouseClick(p.t.find<QPushButton>("polynomialSolve"), Qt::LeftButton);
        QCOMPARE(p.t.ui.messages, QStringList{QStringLiteral("最高次项的系数不能为0！")});
    }
};

QTEST_MAIN(EquationPagesTest)
#include "test_equations_pages.moc"
