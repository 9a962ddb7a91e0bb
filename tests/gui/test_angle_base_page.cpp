// Frame7: the angle converter and the number-base converter with its two
// rows of base buttons and the custom base.
#include <QGroupBox>
#include <QRadioButton>

#include "expr/jxjs.h"
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
    QRadioButton* forBase(int base, int row) {
        switch (base) {
            case 16:
                return option("Option6", row);
            case 10:
                return option("Option7", row);
            case 8:
                return option("Option8", row);
            case 2:
                return option("Option9", row);
        }
        return nullptr;
    }
    // Chooses a base in a row, asking for a custom base when it is none of the fixed four.
    void chooseBase(int base, int row) {
        if (QRadioButton* fixed = forBase(base, row)) {
            QTest::mouseClick(fixed, Qt::LeftButton);
        } else {
            t.ui.inputAnswers.push_back(QString::number(base));
            QTest::mouseClick(option("Option10", row), Qt::LeftButton);
        }
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
    void initialControls() {
        BasePage p;
        QVERIFY(p.result->isReadOnly());
        QCOMPARE(p.t.window->pageState().currentBase, 10);
        // A long result (a binary fraction) gets the whole width of the frame.
        for (int row : {0, 1})
            QVERIFY(p.t.find<QGroupBox>(QStringLiteral("Frame22_%1").arg(row))->width() <=
                    (row ? p.result : p.value)->width());
    }

    void formulaInTheRadiansBoxIsCommittedBeforeConverting() {
        BasePage p;
        p.t.enter("Text18_0", QStringLiteral("2*PI"));
        QCOMPARE(p.t.text("Text18_0"), QStringLiteral("6.28318530717958"));
        p.t.click("Command12");
        QCOMPARE(p.t.text("Text18_1"), QStringLiteral("360"));
        p.t.enter("Text18_0", QStringLiteral("PI/2"));
        QCOMPARE(p.t.text("Text18_0"), QStringLiteral("1.5707963267949"));
        p.t.click("Command12");
        // From the box's 15 digits, not from PI/2 itself.
        QCOMPARE(p.t.text("Text18_1"), QStringLiteral("90.0000000000003"));
        // Pressing the button straight from the box commits the box first.
        p.t.type(p.t.edit("Text18_1"), QStringLiteral("45*2"));
        p.t.click("Command13");
        p.t.expectShown({{"Text18_1", "90"}, {"Text18_0", "1.5707963267949"}});
        QVERIFY(p.t.ui.messages.isEmpty());
    }

    void angleBoxWithoutANumberAsksForOne() {
        BasePage p;
        p.t.edit("Text18_1")->setText(QStringLiteral("45"));
        p.t.click("Command12");
        QCOMPARE(p.t.ui.messages, QStringList({"请先在框里输入一个数！"}));
        p.t.expectShown({{"Text18_1", "45"}, {"Text18_0", ""}});
    }

    void conversions() {
        const struct {
            const char* input;
            int from, to;
            const char* expected;
        } rows[] = {
            {"ZZ", 36, 3, "1202222"},  // custom bases in both rows
            {"0.1", 10, 2, "0.0001100110011001100110011001100110011001100110011001101"},
        };
        BasePage p;
        for (const auto& row : rows) {
            QCOMPARE(p.run(row.input, row.from, row.to), QString::fromLatin1(row.expected));
            QCOMPARE(p.result->cursorPosition(), 0);  // a long result shows its first digits
        }
        QVERIFY(p.t.ui.messages.isEmpty());
    }

    void keyFilterFollowsTheInputBase() {
        BasePage p;
        p.t.type(p.value, QStringLiteral("-1a2.f/9+ "));
        QCOMPARE(p.value->text(), QStringLiteral("-12.9"));
        p.chooseBase(16, 0);
        p.t.type(p.value, QStringLiteral("aFgG1z"));
        QCOMPARE(p.value->text(), QStringLiteral("aF1"));
        // Lower-case digits are rewritten in upper case when converting.
        p.t.type(p.value, QStringLiteral("ff"));
        QCOMPARE(p.value->text(), QStringLiteral("ff"));
        QTest::mouseClick(p.convert, Qt::LeftButton);
        QCOMPARE(p.value->text(), QStringLiteral("FF"));
        QCOMPARE(p.result->text(), QStringLiteral(" 255"));
        p.chooseBase(12, 0);
        p.t.type(p.value, QStringLiteral("abcAB"));
        QCOMPARE(p.value->text(), QStringLiteral("abAB"));
    }

    void overflowShowsTheMessageAndEmptiesTheResult() {
        BasePage p;
        QCOMPARE(p.run(QStringLiteral("3000000000"), 10, 16), QString());
        const QString overflow = QString::fromStdString(numerelle::failureText(numerelle::FailureKind::Overflow));
        QCOMPARE(p.t.ui.messages, QStringList({overflow}));
    }

    void customBaseIsClamped() {
        const struct {
            const char* answer;
            int base;
        } rows[] = {{"40", 36}, {"12.7", 12}};
        for (const auto& row : rows) {
            BasePage p;
            p.t.ui.inputAnswers = {QString::fromLatin1(row.answer), QString::fromLatin1(row.answer)};
            QTest::mouseClick(p.option("Option10", 0), Qt::LeftButton);
            QCOMPARE(p.t.ui.prompts, QStringList({"请输入需要转化的进制数！（2-36）"}));
            QCOMPARE(p.option("Option10", 0)->text(), QString::number(row.base));
            QVERIFY(p.option("Option10", 0)->isChecked());
            QCOMPARE(p.t.window->pageState().currentBase, row.base);
            // The output row stores nothing, but its caption is the output base.
            QTest::mouseClick(p.option("Option10", 1), Qt::LeftButton);
            QCOMPARE(p.option("Option10", 1)->text(), QString::number(row.base));
            QCOMPARE(p.t.window->pageState().currentBase, row.base);
        }
    }

    void cancellingTheCustomBaseKeepsThePreviousBase() {
        BasePage p;
        p.chooseBase(16, 0);
        QTest::mouseClick(p.option("Option10", 0), Qt::LeftButton);  // cancelled
        QCOMPARE(p.t.ui.prompts.size(), 1);
        QVERIFY(p.option("Option6", 0)->isChecked());
        QVERIFY(!p.option("Option10", 0)->isChecked());
        QCOMPARE(p.option("Option10", 0)->text(), QStringLiteral("？"));
        QCOMPARE(p.t.window->pageState().currentBase, 16);

        // A custom base already set stays when asked again and cancelled.
        p.chooseBase(7, 0);
        QCOMPARE(p.t.window->pageState().currentBase, 7);
        QTest::mouseClick(p.option("Option10", 0), Qt::LeftButton);  // cancelled
        QVERIFY(p.option("Option10", 0)->isChecked());
        QCOMPARE(p.option("Option10", 0)->text(), QStringLiteral("7"));
        QCOMPARE(p.t.window->pageState().currentBase, 7);

        // The output row never ends up on an unset "？".
        QTest::mouseClick(p.option("Option10", 1), Qt::LeftButton);  // cancelled
        QVERIFY(p.option("Option7", 1)->isChecked());
        p.value->setText(QStringLiteral("10"));
        QTest::mouseClick(p.convert, Qt::LeftButton);
        QCOMPARE(p.result->text(), QStringLiteral(" 7"));
        QVERIFY(p.t.ui.messages.isEmpty());
    }

    void customBaseAnswerThatIsNoNumberKeepsThePreviousBase() {
        BasePage p;
        p.chooseBase(8, 0);
        p.t.ui.inputAnswers.push_back(QStringLiteral("abc"));
        QTest::mouseClick(p.option("Option10", 0), Qt::LeftButton);
        QCOMPARE(p.t.ui.messages.size(), 1);
        QVERIFY(p.option("Option8", 0)->isChecked());
        QCOMPARE(p.option("Option10", 0)->text(), QStringLiteral("？"));
        QCOMPARE(p.t.window->pageState().currentBase, 8);
    }
};

QTEST_MAIN(AngleBasePageTest)
#include "test_angle_base_page.moc"
