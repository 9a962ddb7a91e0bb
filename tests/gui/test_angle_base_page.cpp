// Frame7: the angle converter and the number-base converter with its two
// rows of base buttons and the custom base.
#include <QGroupBox>
#include <QRadioButton>

#include "gui_test_support.h"

namespace {

struct BasePage {
    TestWindow t;
    QLineEdit* value = t.find<QLineEdit>("Text62");
    QLineEdit* result = t.find<QLineEdit>("Text63");
    QPushButton* convert = t.find<QPushButton>("Command36");

    BasePage() { t.showTabOf(value); }

    QRadioButton* option(const char* name, int row) {
        return t.find<QRadioButton>(QStringLiteral("%1_%2").arg(QLatin1String(name)).arg(row));
    }
    // Chooses a base in a row (Option6 to Option9 are 16, 10, 8 and 2),
    // asking for a custom base when it is none of the fixed four.
    void chooseBase(int base, int row) {
        const char* fixed[] = {"Option6", "Option7", "Option8", "Option9"};
        const int index = base == 16 ? 0 : base == 10 ? 1 : base == 8 ? 2 : base == 2 ? 3 : -1;
        if (index < 0) t.ui.inputAnswers.push_back(QString::number(base));
        QTest::mouseClick(option(index < 0 ? "Option10" : fixed[index], row), Qt::LeftButton);
    }
    QString run(const QString& input, int from, int to) {
        chooseBase(from, 0);
        chooseBase(to, 1);
        value->setText(input);
        QTest::mouseClick(convert, Qt::LeftButton);
        return result->text();
    }
};

}  // namespace

class AngleBasePageTest : public QObject {
    Q_OBJECT

private slots:
    void emptyAngleBoxAsksForANumber() {
        BasePage p;
        p.t.click("Command12");
        QCOMPARE(p.t.ui.messages, QStringList({"请先在框里输入一个数！"}));
    }

    // Custom bases in both rows; a long result gets the whole width; an
    // overflow empties the result.
    void conversions() {
        BasePage p;
        QCOMPARE(p.run(QStringLiteral("ZZ"), 36, 3), QStringLiteral("1202222"));
        QCOMPARE(p.run(QStringLiteral("0.1"), 10, 2),
                 QStringLiteral("0.0001100110011001100110011001100110011001100110011001101"));
        QVERIFY(p.t.find<QGroupBox>(QStringLiteral("Frame22_1"))->width() <= p.result->width());
        QVERIFY(p.t.ui.messages.isEmpty());
        QCOMPARE(p.run(QStringLiteral("3000000000"), 10, 16), QString());
        QCOMPARE(p.t.ui.messages, QStringList({"数值溢出"}));
    }

    // The key filter follows the input row; lower-case digits are
    // rewritten in upper case when converting.
    void keyFilterFollowsTheInputBase() {
        BasePage p;
        p.chooseBase(16, 0);
        p.t.type(p.value, QStringLiteral("aFgG1z"));
        QCOMPARE(p.value->text(), QStringLiteral("aF1"));
        p.t.type(p.value, QStringLiteral("ff"));
        QTest::mouseClick(p.convert, Qt::LeftButton);
        QCOMPARE(p.value->text(), QStringLiteral("FF"));
        QCOMPARE(p.result->text(), QStringLiteral(" 255"));
    }

    // The answer is clamped into its button's caption; the output row
    // stores nothing, but its caption is the output base.
    void customBaseIsAskedForAndClamped() {
        BasePage p;
        p.t.ui.inputAnswers = {QStringLiteral("40"), QStringLiteral("12.7")};
        for (int row : {0, 1}) {
            QTest::mouseClick(p.option("Option10", row), Qt::LeftButton);
            QVERIFY(p.option("Option10", row)->isChecked());
            QCOMPARE(p.t.window->pageState().currentBase, 36);
        }
        QCOMPARE(p.t.ui.prompts, QStringList(2, "请输入需要转化的进制数！（2-36）"));
        p.t.expectShown({{"Option10_0", "36"}, {"Option10_1", "12"}});
    }

    // Cancelled, or answered with no number: the base chosen before stays,
    // a custom one included, and the output row never ends up on an unset "？".
    void customBaseNotGivenKeepsThePreviousBase() {
        BasePage p;
        p.chooseBase(16, 0);
        p.t.ui.inputAnswers = {std::nullopt, QStringLiteral("abc")};
        for (int i = 0; i < 2; ++i) {
            QTest::mouseClick(p.option("Option10", 0), Qt::LeftButton);
            QVERIFY(p.option("Option6", 0)->isChecked());
            QCOMPARE(p.option("Option10", 0)->text(), QStringLiteral("？"));
            QCOMPARE(p.t.window->pageState().currentBase, 16);
        }
        QCOMPARE(p.t.ui.messages.size(), 1);
        p.chooseBase(7, 0);
        QTest::mouseClick(p.option("Option10", 0), Qt::LeftButton);  // cancelled
        QVERIFY(p.option("Option10", 0)->isChecked());
        QCOMPARE(p.t.window->pageState().currentBase, 7);
        QTest::mouseClick(p.option("Option10", 1), Qt::LeftButton);  // cancelled
        QVERIFY(p.option("Option7", 1)->isChecked());
        p.value->setText(QStringLiteral("10"));
        QTest::mouseClick(p.convert, Qt::LeftButton);
        QCOMPARE(p.result->text(), QStringLiteral(" 7"));
    }
};

QTEST_MAIN(AngleBasePageTest)
#include "test_angle_base_page.moc"
