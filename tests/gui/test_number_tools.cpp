// The factorisation (Frame5), fraction (Frame6), square-root (Frame9) and
// complex-number (Frame11, Frame13) pages as the user sees them: focus-loss
// rewrites, results, messages and the switch between the two
// input forms of complex numbers.
#include <QRadioButton>

#include "gui_test_support.h"

class NumberToolsTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TestWindow> t;

    QLineEdit* edit(const QString& name) { return t->edit(name); }
    QString textOf(const QString& name) { return t->text(name); }
    void enter(const QString& name, const QString& typed) { t->enter(name, typed); }
    // button->click() leaves the focus where it is, as the operations expect.
    void click(const char* name) {
        auto* button = t->find<QAbstractButton>(QString::fromLatin1(name));
        t->showTabOf(button);
        button->click();
        QApplication::processEvents();
    }

private slots:
    void init() { t = std::make_unique<TestWindow>(); }
    void cleanup() { t.reset(); }

    // The factorised lines are golden cases; the box keeps all sixteen
    // digits of a formula's whole value, which a 15-digit commit would not.
    void factorisationBoxKeepsSixteenDigits() {
        enter(QStringLiteral("Text11"), QStringLiteral("2^53-1"));
        QCOMPARE(textOf(QStringLiteral("Text11")), QStringLiteral("9007199254740991"));
    }

    void fractionNeverLeavesAStaleWholePart() {
        enter(QStringLiteral("Text13"), QStringLiteral("2.5"));
        click("Command9");
        t->expectShown({{"Text34", " 2"}, {"Text14", " 1"}, {"Text15", " 2"}});
        enter(QStringLiteral("Text13"), QStringLiteral("2+3"));
        click("Command9");
        t->expectShown({{"Text34", " 0"}, {"Text14", " 5"}, {"Text15", " 1"}});
    }

    void squareRootAsksBeforeALongSearch() {
        enter(QStringLiteral("Text29"), QStringLiteral("1E-13"));
        t->ui.confirmAnswers = {false};
        click("Command17");
        QCOMPARE(t->ui.messages, QStringList{QStringLiteral("计算他可能需要很长时间，是否继续计算？")});
        t->window->longWork().waitForIdle();
        QCOMPARE(textOf(QStringLiteral("Text32")), QStringLiteral("0"));
        t->ui.confirmAnswers = {true};
        click("Command17");
        QTRY_COMPARE(textOf(QStringLiteral("Text33")), QStringLiteral("10000000"));
    }

    // Only the input angles follow the unit, the sine copy with them; the
    // switch back to the algebraic form keeps what the polar boxes hold.
    void complexFormSwitchAndUnits() {
        t->fill({{"Text35_0", "1"}, {"Text35_2", "1"}});
        click("Option2");
        t->expectShown({{"Text36_0", "1.4142135623731"}, {"Text36_2", "45"}, {"Text36_4", "45"}, {"Text36_1", "0"}});
        QVERIFY(!edit(QStringLiteral("Text35_0"))->isEnabled() && edit(QStringLiteral("Text36_0"))->isEnabled());
        QVERIFY(!edit(QStringLiteral("Text36_4"))->isEnabled());
        click("Option4");
        t->expectShown({{"Text36_2", "0.785398163397448"}, {"Text36_4", "0.785398163397448"}});
        click("Option4");
        QCOMPARE(textOf(QStringLiteral("Text36_2")), QStringLiteral("0.785398163397448"));
        click("Option5");
        QCOMPARE(textOf(QStringLiteral("Text36_2")), QStringLiteral("50"));
        enter(QStringLiteral("Text36_3"), QStringLiteral("100"));
        QCOMPARE(textOf(QStringLiteral("Text36_5")), QStringLiteral("100"));
        enter(QStringLiteral("Text36_1"), QStringLiteral("2"));
        click("Option1");
        t->expectShown({{"Text35_0", "1"}, {"Text35_2", "1"}, {"Text35_3", "2"}});
        QVERIFY(edit(QStringLiteral("Text35_0"))->isEnabled() && !edit(QStringLiteral("Text36_0"))->isEnabled());
    }

    // The power box takes whole numbers; a division by zero is reported and
    // the results stay as they were.
    void complexOperationsAndPower() {
        t->fill({{"Text35_0", "-1"}, {"Text35_2", "0"}, {"Text35_4", "1/2"}, {"Text42", "-2.5"}});
        QCOMPARE(textOf(QStringLiteral("Text42")), QStringLiteral("3"));
        enter(QStringLiteral("Text42"), QStringLiteral("2"));
        click("Command22");
        QCOMPARE(textOf(QStringLiteral("Text38")), QStringLiteral("-1"));
        QVERIFY(t->ui.messages.isEmpty());
        t->fill({{"Text35_1", "0"}, {"Text35_3", "0"}});
        click("Command21");
        QCOMPARE(t->ui.messages.size(), 1);
        QCOMPARE(textOf(QStringLiteral("Text38")), QStringLiteral("-1"));
    }

    void operationRefusesABoxWithAFailedFormula() {
        enter(QStringLiteral("Text35_0"), QStringLiteral("(2"));
        click("Command18");
        QCOMPARE(textOf(QStringLiteral("Text37")), QStringLiteral("0"));
        // Nor can the form switch convert it: the algebraic form stays active.
        click("Option2");
        QVERIFY(t->find<QRadioButton>(QStringLiteral("Option1"))->isChecked());
        QVERIFY(edit(QStringLiteral("Text35_0"))->isEnabled() && !edit(QStringLiteral("Text36_0"))->isEnabled());
        QCOMPARE(textOf(QStringLiteral("Text36_0")), QStringLiteral("0"));
    }
};

QTEST_MAIN(NumberToolsTest)
#include "test_number_tools.moc"
