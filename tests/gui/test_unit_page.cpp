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
    void choosingACategoryFillsBothListsWithoutSelection() {
        UnitPage p;
        QCOMPARE(p.from->count(), 0);  // until a category is chosen
        p.choose(QStringLiteral("长度单位"));
        const QStringList length = p.names(p.from);
        QCOMPARE(p.names(p.to), length);
        for (const char* unit : {"米", "千米", "厘米", "毫米", "微米", "纳米", "英里", "码", "英尺", "英寸", "海里",
                                 "里", "丈", "尺", "寸"})
            QVERIFY2(length.contains(QString::fromUtf8(unit)), unit);
        QVERIFY(p.from->selectedItems().isEmpty());
        QVERIFY(p.to->selectedItems().isEmpty());
        QCOMPARE(p.t.window->pageState().unitSizes.size(), std::size_t(length.size()));

        // Another category replaces the lists.
        p.choose(QStringLiteral("质量单位"));
        QVERIFY(p.names(p.from).contains(QStringLiteral("斤")));
        QVERIFY(!p.names(p.from).contains(QStringLiteral("米")));
        QCOMPARE(p.t.window->pageState().unitSizes.size(), std::size_t(p.from->count()));
        QVERIFY(p.t.ui.messages.isEmpty());
    }

    void noSelectionChangesNothing() {
        UnitPage p;
        p.choose(QStringLiteral("长度单位"));
        p.fromAmount->setText(QStringLiteral("5"));
        QTest::mouseClick(p.forward, Qt::LeftButton);
        QCOMPARE(p.toAmount->text(), QString());
        p.select(p.from, QStringLiteral("米"));
        QTest::mouseClick(p.forward, Qt::LeftButton);
        QCOMPARE(p.toAmount->text(), QString());
        QVERIFY(p.t.ui.messages.isEmpty());
    }

    void conversionsWithTheShippedFiles() {
        const struct {
            const char* category;
            const char* from;
            const char* to;
            const char* amount;
            const char* expected;
        } rows[] = {
            // The conversions of every file are golden cases; here both buttons.
            {"长度单位", "千米", "米", "2.5", "2500"},
            {"体积，容积单位", "美制加仑", "升", "1", "3.785411784"},
        };
        UnitPage p;
        for (const auto& row : rows) {
            p.pick(QString::fromUtf8(row.category), QString::fromUtf8(row.from), QString::fromUtf8(row.to));
            p.fromAmount->setText(QString::fromLatin1(row.amount));
            QTest::mouseClick(p.forward, Qt::LeftButton);
            QCOMPARE(p.toAmount->text(), QString::fromLatin1(row.expected));
            // And back again.
            p.fromAmount->clear();
            QTest::mouseClick(p.back, Qt::LeftButton);
            QCOMPARE(p.fromAmount->text(), QString::fromLatin1(row.amount));
        }
        QVERIFY(p.t.ui.messages.isEmpty());
    }

    void amountFormulaIsCommittedWhenTheButtonIsPressed() {
        UnitPage p;
        p.pick(QStringLiteral("长度单位"), QStringLiteral("千米"), QStringLiteral("米"));
        p.t.type(p.fromAmount, QStringLiteral("1/4+2"));
        QTest::mouseClick(p.forward, Qt::LeftButton);
        QCOMPARE(p.fromAmount->text(), QStringLiteral("2.25"));
        QCOMPARE(p.toAmount->text(), QStringLiteral("2250"));
        QVERIFY(p.t.ui.messages.isEmpty());
    }

    void convertingTextThatIsNoNumberAsksForOne() {
        for (const QString& text : {QString(), QStringLiteral("1/0")}) {
            UnitPage p;
            p.pick(QStringLiteral("长度单位"), QStringLiteral("千米"), QStringLiteral("米"));
            p.fromAmount->setText(text);
            p.toAmount->setText(QStringLiteral("7"));
            QTest::mouseClick(p.forward, Qt::LeftButton);
            QCOMPARE(p.t.ui.messages, QStringList({"请先在框里输入一个数！"}));
            QCOMPARE(p.toAmount->text(), QStringLiteral("7"));
            p.toAmount->setText(text);
            p.fromAmount->setText(QStringLiteral("7"));
            QTest::mouseClick(p.back, Qt::LeftButton);
            QCOMPARE(p.t.ui.messages.size(), 2);
            QCOMPARE(p.fromAmount->text(), QStringLiteral("7"));
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
        QCOMPARE(p.from->count(), 0);
        QCOMPARE(p.to->count(), 0);
        QVERIFY(p.t.window->pageState().unitSizes.empty());
    }

    void damagedFileKeepsTheGoodUnits() {
        DataDirectory data;
        UnitPage p;
        // Line 4 is no size and line 7 has no size line at all.
        data.write("dw/dw5.vqx", QStringLiteral("克\n1\n斤\nabc\n千克\n1000\n两"));
        p.choose(QStringLiteral("质量单位"));
        QCOMPARE(p.names(p.from), QStringList({"克", "千克"}));
        QCOMPARE(p.names(p.to), QStringList({"克", "千克"}));
        QCOMPARE(p.t.ui.messages.size(), 1);
        const QString message = p.t.ui.messages[0];
        QVERIFY2(message.contains(data.path("dw/dw5.vqx")), qPrintable(message));
        QVERIFY2(message.contains(QStringLiteral("第 4 行")), qPrintable(message));
        QVERIFY2(message.contains(QStringLiteral("第 7 行")), qPrintable(message));
        // The units that were read convert with their own sizes.
        p.select(p.from, QStringLiteral("千克"));
        p.select(p.to, QStringLiteral("克"));
        p.fromAmount->setText(QStringLiteral("2.5"));
        QTest::mouseClick(p.forward, Qt::LeftButton);
        QCOMPARE(p.toAmount->text(), QStringLiteral("2500"));
    }
};

QTEST_MAIN(UnitPageTest)
#include "test_unit_page.moc"
