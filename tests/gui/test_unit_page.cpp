// The unit converter: categories, the unit lists read from the files, both
// conversion buttons, and the problems of a missing or damaged unit file
// (pipes and oversized files are the shared reader's, tested in the core and
// on the help page).
#include <QComboBox>
#include <QFile>
#include <QListWidget>

#include "gui_test_support.h"

namespace {

struct UnitPage {
    TestWindow t;
    QComboBox* category = t.find<QComboBox>("Combo1");
    QListWidget* from = t.find<QListWidget>("List2");
    QListWidget* to = t.find<QListWidget>("List3");
    QLineEdit* fromAmount = t.find<QLineEdit>("Text16");
    QLineEdit* toAmount = t.find<QLineEdit>("Text17");
    QPushButton* forward = t.find<QPushButton>("Command10");
    QPushButton* back = t.find<QPushButton>("Command11");

    UnitPage() { t.showTabOf(category); }

    void choose(const QString& item) {
        const int index = category->findText(item);
        QVERIFY2(index >= 0, qPrintable(item));
        category->setCurrentIndex(index);
        emit category->activated(index);
    }
    QStringList names(const QListWidget* list) const {
        QStringList out;
        for (int i = 0; i < list->count(); ++i) out << list->item(i)->text();
        return out;
    }
    void select(QListWidget* list, const QString& unit) {
        const QList<QListWidgetItem*> found = list->findItems(unit, Qt::MatchExactly);
        QVERIFY2(!found.isEmpty(), qPrintable(unit));
        list->setCurrentItem(found.first());
    }
    void pick(const QString& categoryName, const QString& fromUnit, const QString& toUnit) {
        choose(categoryName);
        select(from, fromUnit);
        select(to, toUnit);
    }
};

}  // namespace

class UnitPageTest : public QObject {
    Q_OBJECT

private slots:
    // A category fills both lists alike with nothing selected, and the
    // buttons do nothing until both sides are chosen.
    void categoryFillsBothListsWithoutSelection() {
        UnitPage p;
        p.choose(QStringLiteral("长度单位"));
        QVERIFY(p.names(p.from).contains(QStringLiteral("千米")));
        QCOMPARE(p.names(p.to), p.names(p.from));
        QVERIFY(p.from->selectedItems().isEmpty() && p.to->selectedItems().isEmpty());
        p.fromAmount->setText(QStringLiteral("5"));
        p.select(p.from, QStringLiteral("米"));
        QTest::mouseClick(p.forward, Qt::LeftButton);
        QCOMPARE(p.toAmount->text(), QString());
        p.choose(QStringLiteral("质量单位"));
        QVERIFY(p.names(p.from).contains(QStringLiteral("斤")) && !p.names(p.from).contains(QStringLiteral("米")));
        QCOMPARE(p.t.window->pageState().unitSizes.size(), std::size_t(p.from->count()));
        QVERIFY(p.t.ui.messages.isEmpty());
    }

    // A box without a number asks for one and leaves the other box alone.
    void convertingTextThatIsNoNumberAsksForOne() {
        UnitPage p;
        p.pick(QStringLiteral("长度单位"), QStringLiteral("千米"), QStringLiteral("米"));
        for (QPushButton* button : {p.forward, p.back}) {
            for (const QString& text : {QString(), QStringLiteral("1/0")}) {
                p.fromAmount->setText(button == p.forward ? text : QStringLiteral("7"));
                p.toAmount->setText(button == p.back ? text : QStringLiteral("7"));
                p.t.ui.messages.clear();
                QTest::mouseClick(button, Qt::LeftButton);
                QCOMPARE(p.t.ui.messages.value(p.t.ui.messages.size() - 1), QStringLiteral("请先在框里输入一个数！"));
                QCOMPARE((button == p.forward ? p.toAmount : p.fromAmount)->text(), QStringLiteral("7"));
            }
        }
    }

    void missingFileIsReportedAndEmptiesTheLists() {
        DataDirectory data;
        UnitPage p;
        data.write("dw/dw1.vqx", QStringLiteral("米\n1\n千米\n1000\n"));
        p.choose(QStringLiteral("长度单位"));
        QCOMPARE(p.from->count(), 2);
        p.choose(QStringLiteral("时间单位"));
        QCOMPARE(p.t.ui.messages.size(), 1);
        QVERIFY2(p.t.ui.messages[0].contains(data.path("dw/dw2.vqx")), qPrintable(p.t.ui.messages[0]));
        QCOMPARE(p.from->count() + p.to->count(), 0);
        QVERIFY(p.t.window->pageState().unitSizes.empty());
    }

    // Line 4 is no size and line 7 has no size line at all: the good units
    // stay and convert with their own sizes, both ways.
    void damagedFileKeepsTheGoodUnits() {
        DataDirectory data;
        UnitPage p;
        data.write("dw/dw5.vqx", QStringLiteral("克\n1\n斤\nabc\n千克\n1000\n两"));
        p.pick(QStringLiteral("质量单位"), QStringLiteral("千克"), QStringLiteral("克"));
        QCOMPARE(p.names(p.to), QStringList({"克", "千克"}));
        QCOMPARE(p.t.ui.messages.size(), 1);
        const QString message = p.t.ui.messages[0];
        for (const QString& part : {data.path("dw/dw5.vqx"), QStringLiteral("第 4 行"), QStringLiteral("第 7 行")})
            QVERIFY2(message.contains(part), qPrintable(message));
        p.fromAmount->setText(QStringLiteral("2.5"));
        QTest::mouseClick(p.forward, Qt::LeftButton);
        QCOMPARE(p.toAmount->text(), QStringLiteral("2500"));
        p.t.type(p.toAmount, QStringLiteral("500*2"));  // committed when the button is pressed
        QTest::mouseClick(p.back, Qt::LeftButton);
        p.t.expectShown({{"Text16", "1"}, {"Text17", "1000"}});
    }
};

QTEST_MAIN(UnitPageTest)
#include "test_unit_page.moc"
