// The sums page (Frame8) and the integral page (Frame10) as the user sees
// them: key filters, focus-loss rewrites and messages, results
// arriving from the long-work runner, and Cancel.
#include <QClipboard>
#include <QProgressDialog>

#include "gui_test_support.h"

class CalculusPagesTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TestWindow> t;

    QLineEdit* edit(const char* name) { return t->edit(QString::fromLatin1(name)); }
    QPushButton* button(const char* name) { return t->find<QPushButton>(QString::fromLatin1(name)); }
    void click(const char* name) { t->click(QString::fromLatin1(name)); }
    void fill(std::initializer_list<std::pair<const char*, const char*>> boxes) { t->fill(boxes); }

private slots:
    void init() { t = std::make_unique<TestWindow>(); }
    void cleanup() { t.reset(); }

    // The point box sits inside the derivative caption, between its brackets.
    void thePointBoxSitsWhereItIsRead() {
        QVERIFY(t->find<QLabel>(QStringLiteral("Label65"))->isAncestorOf(edit("Text60")));
    }

    // The range and interval boxes filter keys; the limits have no filter
    // and, like the intervals, show their leading number once left.
    void boxesKeepOnlyTheirNumbers() {
        // box, typed, kept while typing, shown once left
        const char* rows[][4] = {
            {"Text21_0", "a+1-2.5/3 x*(", "1-2.5/3", "1-2.5/3"},
            {"Text22_0", "12E3", "123", "123"},
            {"Text28", "-12a.50/", "12.50/", "12.5"},
            {"Text25_0", "12abc", "12abc", "12"},
            {"Text25_1", "", "", "0"},
        };
        for (const auto& [box, typed, kept, left] : rows) {
            t->type(edit(box), QString::fromUtf8(typed));
            QCOMPARE(edit(box)->text(), QString::fromUtf8(kept));
            t->leaveFocus();
            QCOMPARE(edit(box)->text(), QString::fromUtf8(left));
        }
        // Shortcuts pass the filter even when they carry a letter.
        QApplication::clipboard()->setText(QStringLiteral("25"));
        t->type(edit("Text28"), QStringLiteral("1"));
        QTest::keyClick(edit("Text28"), Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(edit("Text28")->text(), QStringLiteral("125"));
    }

    // Each pair of range boxes warns on leaving when upside down, and keeps
    // the texts as typed.
    void leavingARangeBoxWarnsWhenTheRangeIsUpsideDown() {
        const auto warned = [this](const char* upperBox, const char* lowerBox, const char* upper, const char* lower) {
            t->type(edit(upperBox), QString::fromLatin1(upper));
            t->type(edit(lowerBox), QString::fromLatin1(lower));
            t->ui.messages.clear();  // leaving the upper box may warn on the way
            t->leaveFocus();
            return edit(upperBox)->text() == QLatin1String(upper) &&
                   t->ui.messages == QStringList{QStringLiteral("数应该是上边大下边小")};
        };
        QVERIFY(warned("Text21_0", "Text21_1", "1", "5"));
        QVERIFY(!warned("Text22_0", "Text22_1", "-1", "-2"));
        QVERIFY(t->ui.messages.isEmpty());
        QVERIFY(warned("Text22_0", "Text22_1", "3", "3.5"));
    }

    // The sum button's tip shows the seconds taken; a failure leaves it.
    void sumShowsItsSecondsInTheTip() {
        fill({{"Text19", "x"}, {"Text21_0", "100"}});
        click("Command14");
        QTRY_COMPARE(edit("Text20")->text(), QStringLiteral("5050"));
        bool isNumber = false;
        const double seconds = button("Command14")->toolTip().toDouble(&isNumber);
        QVERIFY2(isNumber && seconds >= 0 && seconds < 60, qPrintable(button("Command14")->toolTip()));
        button("Command14")->setToolTip(QStringLiteral("7"));
        fill({{"Text19", "1/x"}, {"Text21_1", "0"}});
        click("Command14");
        QTRY_VERIFY(edit("Text20")->text().startsWith(QStringLiteral("出了错！")));
        QCOMPARE(button("Command14")->toolTip(), QStringLiteral("7"));
    }

    // A trillion points: each button's work is cancelled from its progress
    // dialog, and its result box keeps what it showed.
    void longComputationsCanBeCancelled() {
        const struct {
            const char* button;
            const char* result;
            std::initializer_list<std::pair<const char*, const char*>> boxes;
        } rows[] = {
            {"Command14", "Text20", {{"Text19", "x"}, {"Text21_0", "1000000000000"}}},
            {"Command15", "Text24", {{"Text23", "1"}, {"Text22_0", "1000000000000"}}},
            {"Command16", "Text27", {{"Text26", "SIN(x)*x^2+1"}, {"Text28", "1000000000000"}}},
        };
        t->window->longWork().setProgressDelayMs(100);
        for (const auto& row : rows) {
            edit(row.result)->setText(QStringLiteral("before"));
            fill(row.boxes);
            click(row.button);
            QProgressDialog* dialog = nullptr;
            QTRY_VERIFY((dialog = t->window->findChild<QProgressDialog*>()) && dialog->isVisible());
            // the dialog's own Cancel button, as the user presses it
            QTest::mouseClick(dialog->findChild<QPushButton*>(), Qt::LeftButton);
            QTRY_VERIFY(!t->window->longWork().busy());
            QCOMPARE(edit(row.result)->text(), QStringLiteral("before"));
        }
    }

    // Each button reads its own boxes and writes its own result box, a
    // failure included; n = 0 leaves the derivative box as it was.
    void buttonsShowTheirResults() {
        const struct {
            std::initializer_list<std::pair<const char*, const char*>> boxes;
            const char* button;
            const char* result;
            const char* shown;
        } rows[] = {
            {{{"Text23", "x"}, {"Text22_0", "10"}}, "Command15", "Text24", "3628800"},
            {{{"Text26", "x"}, {"Text25_0", "1"}, {"Text25_1", "2"}}, "Command16", "Text27", "1.5"},
            {{{"Text26", "1/x"}, {"Text25_1", "0"}}, "Command16", "Text27", "出了错！除数为零"},
            {{{"Text26", "SIN(x)"}, {"Text60", "0"}}, "Command35", "Text61", "0.999999833333342"},
            {{{"Text26", "x^2"}, {"Text60", "3"}, {"Text28", "0"}}, "Command35", "Text61", "?"},
        };
        for (const auto& row : rows) {
            edit(row.result)->setText(QStringLiteral("?"));
            fill(row.boxes);
            click(row.button);
            t->window->longWork().waitForIdle();
            QCOMPARE(edit(row.result)->text(), QString::fromUtf8(row.shown));
        }
        QCOMPARE(t->ui.messages, QStringList{});
    }

    void leavingThePointBoxResizesTheMatrixToAnOrderLeftPending() {
        // The user types a new order, switches to another window (the order
        // box's own focus loss is not handled then), comes back to the point
        // box and leaves it: the matrix now has the typed order.
        std::vector<double>& store = t->window->pageState().matrixStore;
        t->type(edit("Text53"), QStringLiteral("3"));
        QWidget elsewhere;
        elsewhere.show();
        QApplication::setActiveWindow(&elsewhere);
        QTRY_VERIFY(!t->window->isActiveWindow());
        t->showTabOf(edit("Text60"));
        edit("Text60")->setFocus(Qt::OtherFocusReason);
        QApplication::setActiveWindow(t->window.get());
        QTRY_VERIFY(edit("Text60")->hasFocus());
        QCOMPARE(store.size(), std::size_t{5});
        fill({{"Text60", "2*3"}});
        QCOMPARE(store.size(), std::size_t{10});
        QCOMPARE(edit("Text60")->text(), QStringLiteral("6"));  // committed as a formula
    }
};

QTEST_MAIN(CalculusPagesTest)
#include "test_calculus.moc"
