// Frame19 and Frame20 as only the window has them: the scrolled 4 × 5
// equation grid with its unknown names, and the scrolled coefficient row.
// The solutions and roots themselves are golden cases.
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
        QVERIFY(!p.columns->isVisible() && !p.rows->isVisible());
        p.enter(p.count, QStringLiteral("2"));
        for (int i = 0; i < 20; ++i) QCOMPARE(p.cell(i)->isVisible(), i / 5 < 2 && i % 5 <= 2);
        p.t.expectShown({{"jfc1_0", "A+"}, {"jfc1_1", "B="}});
        QVERIFY(p.name(5)->isVisible() && !p.name(2)->isVisible());
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

    // The names follow the scrolled window (the cells are walked by keys in
    // the reading tests); a new count empties the store and puts the window
    // back at the corner, the same count keeps it.
    void scrolledNamesAndNewCount() {
        EquationPages p;
        p.enter(p.count, QStringLiteral("6"));
        QVERIFY(p.columns->isVisible());
        QCOMPARE(p.rows->maximum(), 2);
        p.enter(p.cell(0), QStringLiteral("4"));
        p.columns->setValue(2);
        p.t.expectShown({{"jfc1_3", "F="}, {"jfc1_0", "C+"}});
        p.enter(p.count, QStringLiteral("6"));
        QCOMPARE(p.state.equationStore[0], 4.0);
        p.enter(p.count, QStringLiteral("7"));
        QCOMPARE(p.columns->value(), 0);
        QCOMPARE(p.state.equationStore, std::vector<double>(7 * 8 + 1, 0.0));
        QCOMPARE(p.cell(0)->text(), QStringLiteral("0"));
        p.enter(p.count, QStringLiteral("54"));  // names go on past Z
        p.columns->setValue(50);
        QCOMPARE(p.name(3)->text(), QStringLiteral("|="));
    }

    // Neither page changes its width as counts change, so neither pushes
    // the other about on their shared tab.
    void pagesKeepTheirWidthsAsCountsChange() {
        EquationPages p;
        QWidget* equations = p.t.find<QWidget>("Frame19");
        QWidget* polynomial = p.t.find<QWidget>("Frame20");
        const int equationsWidth = equations->width(), polynomialWidth = polynomial->width();
        for (const char* count : {"5", "54", "3"}) {
            p.enter(p.count, QString::fromLatin1(count));
            p.enter(p.degree, QString::fromLatin1(count));
            QApplication::processEvents();
            QCOMPARE(equations->width(), equationsWidth);
            QCOMPARE(polynomial->width(), polynomialWidth);
        }
    }

    // The power captions follow the scrolled coefficient row (its cells
    // are walked by keys in the reading tests).
    void polynomialCaptionsScroll() {
        EquationPages p;
        p.enter(p.degree, QStringLiteral("5"));
        QCOMPARE(p.coefficientScroll->maximum(), 2);
        QCOMPARE(p.power(0)->text(), QStringLiteral("x^5"));
        p.coefficientScroll->setValue(2);
        p.t.expectShown({{"ncfc1_0", "x^3"}, {"ncfc1_3", "常数项"}});
    }

    void degreeIsClampedAndAZeroLeadIsRefused() {
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
