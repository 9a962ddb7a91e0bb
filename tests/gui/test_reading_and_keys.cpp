// Reading and driving the window with the keyboard: every box the program
// writes shows the beginning of its text, number results fit at the first
// window size, Enter presses the button of its own frame, and the keyboard
// walks over the whole of a scrolled grid.
#include <QAbstractButton>
#include <QComboBox>
#include <QHash>
#include <QSet>
#include <QListWidget>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionFrame>
#include <QTabWidget>

#include "common/number_text.h"
#include "gui_test_support.h"
#include "widgets/formula_field.h"
#include "widgets/result_view.h"

namespace {

// The width a line edit has for its text: the style's contents rectangle
// less the text margins and the line edit's own 2 pixels each side.
int textRoom(const QLineEdit* box) {
    QStyleOptionFrame option;
    option.initFrom(box);
    option.rect = box->rect();
    option.lineWidth = box->hasFrame() ? box->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, box) : 0;
    option.state |= QStyle::State_Sunken;
    QRect room = box->style()->subElementRect(QStyle::SE_LineEditContents, &option, box);
    room = room.marginsRemoved(box->textMargins());
    return room.width() - 4;
}

QList<QLineEdit*> allBoxes(const TestWindow& t) {
    return t.window->findChildren<QLineEdit*>();
}

// Clicks on every button of the window, counted by object name.
struct ClickCounter {
    QHash<QString, int> clicks;
    explicit ClickCounter(const TestWindow& t) {
        for (QAbstractButton* button : t.window->findChildren<QAbstractButton*>())
            QObject::connect(button, &QAbstractButton::clicked, button,
                             [this, button] { ++clicks[button->objectName()]; });
    }
    int total() const {
        int sum = 0;
        for (int n : clicks) sum += n;
        return sum;
    }
};

// A box in each row or frame with an Enter binding, typed into and left
// by Enter; rows without a button are refused texts.
struct EnterRow {
    const char* box;
    const char* typed;
    const char* button;     // null: refused
    const char* committed;  // the box's text when the button runs (null: as typed)
};
const EnterRow kEnterRows[] = {
    {"Text1_0", "12", "Command1", nullptr},
    {"Text1_3", "12", "Command2", nullptr},
    {"Text1_4", "12", "Command3", nullptr},
    {"Text8", "2", "Command6", nullptr},
    {"Text5_0", "10", "Command4", nullptr},
    {"Text11", "2*3", "Command8", "6"},
    {"Text13", "1/4", "Command9", "0.25"},
    {"Text29", "2*6", "Command17", "12"},
    {"Text44_1", "18", "Command23", nullptr},
    {"Text47_0", "2*4", "Command25", "8"},
    {"Text47_1", "1+1", "Command25", "2"},
    {"Text48_0", "5", "Command26", nullptr},
    {"Text48_2", "5", "Command27", nullptr},
    {"Text35_4", "1/2", "Command22", "0.5"},
    {"Text42", "1+1", "Command22", "2"},
    {"Text57", "2", "Command32", nullptr},
    {"jfc_0", "2*3", "Command32", "6"},
    {"Text59", "1", "polynomialSolve", nullptr},
    {"ncfc_0", "2*2", "polynomialSolve", "4"},
    {"Text53", "2", "Command28", nullptr},
    {"Text52_0", "3*3", "Command28", "9"},
    {"Text56", "nothing", "Command31", nullptr},
    {"Text16", "1+1", "Command10", "2"},
    {"Text17", "2+2", "Command11", "4"},
    {"Text18_0", "PI", "Command12", "3.14159265358979"},
    {"Text18_1", "90*2", "Command13", "180"},
    {"Text62", "17", "Command36", nullptr},
    {"Text64", "1+2", "Command37", nullptr},
    {"Text19", "x", "Command14", nullptr},
    {"Text23", "x", "Command15", nullptr},
    {"Text26", "x", "Command16", nullptr},
    {"Text60", "1+1", "Command35", "2"},
    {"Text47_0", "1/0", nullptr, nullptr},
    {"Text52_0", "(1", nullptr, nullptr},
    {"Text1_0", "1-2", nullptr, nullptr},
};

void settle(TestWindow& t) {
    t.window->longWork().waitForIdle();
    QApplication::processEvents();
}

}  // namespace

class ReadingAndKeysTest : public QObject {
    Q_OBJECT

private slots:
    // Every Enter binding and the buttons without one are used once; each
    // box the program writes on the way must show its beginning, and every
    // read-only box must have been written.
    void everyWrittenBoxShowsItsBeginning() {
        TestWindow t;
        // Both unit lists chosen, so the conversion buttons write.
        auto* category = t.find<QComboBox>("Combo1");
        t.showTabOf(category);
        category->setCurrentIndex(0);
        emit category->activated(0);
        t.find<QListWidget>("List2")->setCurrentRow(0);
        t.find<QListWidget>("List3")->setCurrentRow(1);
        QHash<QLineEdit*, QString> before;
        QSet<QLineEdit*> written;
        const auto snapshot = [&] {
            for (QLineEdit* box : allBoxes(t)) before[box] = box->text();
        };
        const auto check = [&](const char* step) {
            settle(t);
            for (QLineEdit* box : allBoxes(t)) {
                if (box->text() == before.value(box)) continue;
                written.insert(box);
                QVERIFY2(box->cursorPosition() == 0,
                         qPrintable(QStringLiteral("after %1, %2 shows \"%3\" from %4")
                                        .arg(QLatin1String(step), box->objectName(), box->text())
                                        .arg(box->cursorPosition())));
            }
        };
        for (const EnterRow& row : kEnterRows) {
            if (!row.button) continue;
            QLineEdit* box = t.edit(QString::fromLatin1(row.box));
            t.type(box, QString::fromLatin1(row.typed));
            snapshot();
            QTest::keyClick(box, Qt::Key_Return);
            check(row.box);
        }
        // A system with one solution, complex numbers and a root that are not zero.
        t.fill({{"jfc_6", "-7/3"}, {"Text35_0", "1/3"}, {"Text35_1", "2/7"}, {"Text35_2", "1"}, {"Text29", "1/8"}});
        // What no Enter reaches: the length, the other operations of a frame,
        // the complex forms and angle units, a base change that converts the
        // typed value (with a message: "ff" is no binary number).
        t.type(t.edit("Text62"), QStringLiteral("ff"));
        for (const char* button : {"Command5", "Command7", "Command24", "Command17", "Command18", "Command21",
                                   "Command22", "Command32", "Option2", "Option4", "Option9_0", "Option6_1"}) {
            snapshot();
            t.click(QString::fromLatin1(button));
            check(button);
        }
        QStringList never;
        for (QLineEdit* box : allBoxes(t))
            if (box->isReadOnly() && !written.contains(box)) never << box->objectName();
        QVERIFY2(never.isEmpty(), qPrintable(QStringLiteral("never written: ") + never.join(u' ')));
    }

    // At the first window size every box that shows a number text of a
    // result is wide enough for the widest one.
    void numberResultsFitAtTheFirstWindowSize() {
        TestWindow t;
        QCOMPARE(t.window->size(), QSize(980, 640));
        const QString widest = QString::fromLatin1(kWidestNumberText);
        const char* boxes[] = {
            "Text49",   "Text65",   "Text18_0", "Text18_1", "Text16",   "Text17",   "Text34",   "Text14",   "Text15",
            "Text30",   "Text33",   "Text31",   "Text32",   "Text37",   "Text38",   "Text39",   "Text40",   "Text41",
            "Text35_0", "Text35_1", "Text35_2", "Text35_3", "Text36_0", "Text36_1", "Text36_2", "Text36_3", "Text36_4",
            "Text36_5", "Text54",   "Text27",   "Text61",   "Text20",   "Text24",
        };
        for (const char* name : boxes) {
            QLineEdit* box = t.edit(QString::fromLatin1(name));
            t.showTabOf(box);
            const int needed = box->fontMetrics().horizontalAdvance(widest);
            QVERIFY2(textRoom(box) >= needed, qPrintable(QStringLiteral("%1 has room for %2 of %3 pixels")
                                                             .arg(QLatin1String(name))
                                                             .arg(textRoom(box))
                                                             .arg(needed)));
            // And the tab needs no sideways scrolling for it.
            QVERIFY2(box->visibleRegion().boundingRect().width() == box->width(), name);
        }
    }

    // Enter in a box presses the button of its own row or frame, after the
    // box's formula commit, and no other button; a box whose text is refused
    // (a failing formula, a misplaced sign) presses nothing and keeps it.
    void enterPressesTheButtonOfItsOwnFrame() {
        TestWindow t;
        ClickCounter counter(t);
        for (const EnterRow& row : kEnterRows) {
            for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Enter}) {
                QLineEdit* box = t.edit(QString::fromLatin1(row.box));
                auto* button = row.button ? t.find<QAbstractButton>(QString::fromLatin1(row.button)) : nullptr;
                QString textAtClick;
                QMetaObject::Connection clicked;
                if (button)
                    clicked = QObject::connect(button, &QAbstractButton::clicked, button,
                                               [&textAtClick, box] { textAtClick = box->text(); });
                t.type(box, QString::fromLatin1(row.typed));
                counter.clicks.clear();
                t.ui.messages.clear();
                QTest::keyClick(box, key);
                settle(t);
                QObject::disconnect(clicked);
                const QString where = QStringLiteral("%1 (key %2)").arg(QLatin1String(row.box)).arg(key);
                QVERIFY2(box->hasFocus(), qPrintable(where));
                if (!button) {
                    QVERIFY2(counter.total() == 0 && !t.ui.messages.isEmpty(), qPrintable(where));
                    QCOMPARE(box->text(), QString::fromLatin1(row.typed));
                    t.enter(box, QStringLiteral("0"));  // a good text before the next row's box takes the focus
                    continue;
                }
                QVERIFY2(counter.clicks.value(button->objectName()) == 1 && counter.total() == 1,
                         qPrintable(where + QStringLiteral(": ") + QStringList(counter.clicks.keys()).join(u',')));
                QVERIFY2(textAtClick == QString::fromLatin1(row.committed ? row.committed : row.typed),
                         qPrintable(where + QStringLiteral(" had \"") + textAtClick + u'"'));
                // A rewritten box is selected from its start: typing replaces it.
                if (row.committed)
                    QVERIFY2(box->selectedText() == box->text() && box->cursorPosition() == 0, qPrintable(where));
            }
        }
    }

    // The frames with two or more compute buttons for the same boxes repeat
    // the one pressed last.
    void enterRepeatsTheOperationPressedLast() {
        TestWindow t;
        ClickCounter counter(t);
        struct Row {
            const char* form;
            const char* box;
            const char* pressedFirst;
        } rows[] = {
            {"Option1", "Text35_0", "Command20"},
            {"Option2", "Text36_1", "Command19"},
            {nullptr, "Text44_1", "Command24"},
        };
        for (const Row& row : rows) {
            if (row.form) t.click(QString::fromLatin1(row.form));  // the boxes of the other form are greyed
            t.click(QString::fromLatin1(row.pressedFirst));
            settle(t);
            QLineEdit* box = t.edit(QString::fromLatin1(row.box));
            t.type(box, QStringLiteral("1"));
            counter.clicks.clear();
            QTest::keyClick(box, Qt::Key_Return);
            settle(t);
            QVERIFY2(counter.clicks.value(QString::fromLatin1(row.pressedFirst)) == 1 && counter.total() == 1, row.box);
        }
    }

    // Each scrolled grid at the order 6: the matrix (36 elements behind 4 × 4
    // cells), the equations (6 rows of 7 behind 4 × 5) and the polynomial
    // (7 coefficients behind one line of 4). Typing and Tab fill every
    // element in reading order, scrolling the window; Tab past the last
    // leaves the grid; Shift+Tab comes back over every element shown; Up
    // in the top row stays.
    void tabWalksOverEveryElementOfAGrid() {
        const struct {
            const char* order;
            const char* cell;
            int elements;
            std::vector<double> PageState::*store;
            const char* columnBar;
            const char* rowBar;
            int columnsScrolled, rowsScrolled;
        } rows[] = {
            {"Text53", "Text52_", 36, &PageState::matrixStore, "HScroll1", "VScroll2", 2, 2},
            {"Text57", "jfc_", 42, &PageState::equationStore, "HScroll2", "VScroll3", 2, 2},
            {"Text59", "ncfc_", 7, &PageState::polynomialCoefficients, "HScroll3", nullptr, 3, 0},
        };
        for (const auto& row : rows) {
            TestWindow t;
            t.enter(row.order, "6");
            const std::vector<double>& store = t.window->pageState().*(row.store);
            QLineEdit* first = t.edit(QString::fromLatin1(row.cell) + u'0');
            t.showTabOf(first);
            first->setFocus(Qt::TabFocusReason);
            const auto inGrid = [&row] {
                return QApplication::focusWidget()->objectName().startsWith(QLatin1String(row.cell));
            };
            for (int element = 0; element < row.elements; ++element) {
                QVERIFY2(inGrid(), row.cell);
                QTest::keyClicks(QApplication::focusWidget(), QString::number(100 + element));
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            }
            QVERIFY2(!inGrid(), row.cell);
            for (int element = 0; element < row.elements; ++element)
                QCOMPARE(store[std::size_t(element)], 100.0 + element);
            QScrollBar* columns = t.find<QScrollBar>(row.columnBar);
            QScrollBar* rowsBar = row.rowBar ? t.find<QScrollBar>(row.rowBar) : nullptr;
            QCOMPARE(columns->value(), row.columnsScrolled);
            if (rowsBar) QCOMPARE(rowsBar->value(), row.rowsScrolled);
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab, Qt::ShiftModifier);
            for (int element = row.elements - 1; element >= 0; --element) {
                auto* box = qobject_cast<QLineEdit*>(QApplication::focusWidget());
                const QString where = QStringLiteral("%1%2").arg(QLatin1String(row.cell)).arg(element);
                QVERIFY2(box && inGrid() && box->text() == QString::number(100 + element), qPrintable(where));
                QVERIFY2(!box->visibleRegion().isEmpty(), qPrintable(where));
                // Moved there by the grid (not by Qt's focus chain, as the first is).
                if (element + 1 < row.elements)
                    QVERIFY2(box->selectedText() == box->text() && box->cursorPosition() == 0, qPrintable(where));
                QTest::keyClick(box, element ? Qt::Key_Tab : Qt::Key_Up, element ? Qt::ShiftModifier : Qt::NoModifier);
            }
            QCOMPARE(QApplication::focusWidget(), first);
            QCOMPARE(columns->value(), 0);
            if (rowsBar) QCOMPARE(rowsBar->value(), 0);
            QCOMPARE(t.ui.messages, QStringList{});
        }
    }

    // The arrows reach the far corner of the matrix; an edit is committed to
    // the element it stood for when the window scrolls away from it; a
    // failing formula keeps the window and the focus where they are.
    void arrowsAndEditsInTheMatrix() {
        TestWindow t;
        PageState& state = t.window->pageState();
        t.enter("Text53", "6");
        for (int i = 0; i < 36; ++i) state.matrixStore[static_cast<std::size_t>(i)] = 100 + i;
        state.showMatrixFromCorner();
        QLineEdit* first = t.edit("Text52_0");
        t.showTabOf(first);
        first->setFocus(Qt::TabFocusReason);
        const auto press = [](Qt::Key key, int times = 1) {
            for (int i = 0; i < times; ++i) QTest::keyClick(QApplication::focusWidget(), key);
        };
        const auto focusedText = [] {
            auto* box = qobject_cast<QLineEdit*>(QApplication::focusWidget());
            return box ? box->text() : QStringLiteral("<no box>");
        };
        press(Qt::Key_Down, 5);
        QCOMPARE(focusedText(), QStringLiteral("130"));
        press(Qt::Key_Right, 5);
        QCOMPARE(focusedText(), QStringLiteral("135"));
        press(Qt::Key_Up);
        QCOMPARE(focusedText(), QStringLiteral("129"));
        // Left moves the cursor inside a text first, and leaves it at its start.
        press(Qt::Key_End);
        press(Qt::Key_Left);
        QCOMPARE(focusedText(), QStringLiteral("129"));
        press(Qt::Key_Home);
        press(Qt::Key_Left);
        QCOMPARE(focusedText(), QStringLiteral("128"));

        // An edit in the window's first column, then three steps through the
        // text and four cells to the left; the last two scroll.
        QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("7*7"));
        press(Qt::Key_Left, 7);
        QCOMPARE(state.matrixStore[28], 49.0);
        QCOMPARE(t.find<QScrollBar>("HScroll1")->value(), 0);
        QCOMPARE(focusedText(), QStringLiteral("124"));
        QCOMPARE(t.ui.messages, QStringList{});

        press(Qt::Key_Up, 2);
        QCOMPARE(focusedText(), QStringLiteral("112"));
        QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("1/0"));
        QWidget* failing = QApplication::focusWidget();
        press(Qt::Key_Up);
        QCOMPARE(t.ui.messages, QStringList{QStringLiteral("式子有问题")});
        QCOMPARE(QApplication::focusWidget(), failing);
        QCOMPARE(static_cast<QLineEdit*>(failing)->text(), QStringLiteral("1/0"));
        QCOMPARE(t.find<QScrollBar>("VScroll2")->value(), 2);
        QCOMPARE(state.matrixStore[12], 112.0);
    }
};

QTEST_MAIN(ReadingAndKeysTest)
#include "test_reading_and_keys.moc"
