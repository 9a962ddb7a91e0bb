// Reading and driving the window with the keyboard: every box the program
// writes shows the beginning of its text, number results fit at the first
// window size, Enter presses the button of its own frame, and the keyboard
// walks over the whole of a scrolled grid.
#include <QAbstractButton>
#include <QComboBox>
#include <QHash>
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

void settle(TestWindow& t) {
    t.window->longWork().waitForIdle();
    QApplication::processEvents();
}

}  // namespace

class ReadingAndKeysTest : public QObject {
    Q_OBJECT

private slots:
    // Every page is driven once; afterwards every box whose text the program
    // wrote (it differs from what was there or was typed) must show its
    // beginning, and every read-only box must have been written.
    void everyWrittenBoxShowsItsBeginning() {
        TestWindow t;
        QHash<QLineEdit*, QString> expected;  // what the box held before the program wrote it
        for (QLineEdit* box : allBoxes(t)) {
            box->setCursorPosition(static_cast<int>(box->text().size()));
            expected[box] = box->text();
        }
        auto typeAndLeave = [&](const char* name, const char* text) {
            QLineEdit* box = t.edit(QString::fromLatin1(name));
            t.enter(box, QString::fromUtf8(text));
            // A box left as typed was not written by the program (yet).
            if (box->text() == QString::fromUtf8(text)) expected[box] = box->text();
        };
        auto press = [&](const char* button) {
            t.click(QString::fromLatin1(button));
            settle(t);
        };
        // Inputs with long or rewritten values, then the buttons; a step
        // without a text presses its button ("Option2" converts Z1 and Z2
        // into the trigonometric boxes, "Option4" their angles into radians;
        // "ff" is no decimal number and converts with a message).
        const std::pair<const char*, const char*> steps[] = {
            {"Text5_0", "30"},
            {"Command4", nullptr},
            {"Command5", nullptr},
            {"Text8", "7"},
            {"Text5_1", "50"},
            {"Command6", nullptr},
            {"Command7", nullptr},
            {"Text11", "2*3*5*7*11*13*17*19*23*29*31*37"},
            {"Command8", nullptr},
            {"Text13", "PI*1000"},
            {"Command9", nullptr},
            {"Text29", "1/8"},
            {"Command17", nullptr},
            {"Text43", "2.0"},
            {"Text44_0", "123456789012"},
            {"Text44_1", "987654321000"},
            {"Command23", nullptr},
            {"Text47_0", "SQRT(4)"},
            {"Text47_1", "1+9"},
            {"Command25", nullptr},
            {"Text35_0", "1/3"},
            {"Text35_1", "2/7"},
            {"Text35_2", "PI"},
            {"Text35_3", "-1/9"},
            {"Text35_4", "1/3"},
            {"Text42", "2.5"},
            {"Command21", nullptr},
            {"Option2", nullptr},
            {"Option4", nullptr},
            {"Command22", nullptr},
            {"Text57", "2"},
            {"jfc_0", "1/3+1"},
            {"jfc_1", "1/3+1"},
            {"jfc_2", "1/3+1"},
            {"jfc_5", "1/3+1"},
            {"jfc_6", "1/3+1"},
            {"jfc_7", "1/3+1"},
            {"jfc_6", "-7/3"},
            {"Command32", nullptr},
            {"Text59", "2"},
            {"ncfc_0", "1/3"},
            {"Text53", "2"},
            {"Text52_0", "PI/7"},
            {"Text52_1", "PI/7"},
            {"Text52_4", "PI/7"},
            {"Text52_5", "PI/7"},
            {"Text52_5", "1/3"},
            {"Command28", nullptr},
        };
        for (const auto& [name, text] : steps) text ? typeAndLeave(name, text) : press(name);
        auto* category = t.find<QComboBox>("Combo1");
        t.showTabOf(category);
        category->setCurrentIndex(0);
        emit category->activated(0);
        t.find<QListWidget>("List2")->setCurrentRow(0);
        t.find<QListWidget>("List3")->setCurrentRow(1);
        const std::pair<const char*, const char*> moreSteps[] = {
            {"Text16", "1/3"},      {"Command10", nullptr}, {"Command11", nullptr},
            {"Text18_0", "PI/3"},   {"Command12", nullptr}, {"Command13", nullptr},
            {"Text62", "ff"},       {"Option9_0", nullptr}, {"Text62", "1010101010101010101010101"},
            {"Option6_1", nullptr}, {"Command36", nullptr}, {"Text64", "1/7"},
            {"Command37", nullptr}, {"Text19", "1/x"},      {"Text21_0", "100"},
            {"Command14", nullptr}, {"Text23", "1+1/x"},    {"Text22_0", "7"},
            {"Command15", nullptr}, {"Text26", "SIN(x)"},   {"Text25_0", "0"},
            {"Text25_1", "PI"},     {"Text28", "1E3"},      {"Command16", nullptr},
            {"Text60", "PI/4"},     {"Command35", nullptr},
        };
        for (const auto& [name, text] : moreSteps) text ? typeAndLeave(name, text) : press(name);

        int written = 0;
        for (QLineEdit* box : allBoxes(t)) {
            const bool changed = box->text() != expected.value(box);
            if (box->isReadOnly())
                QVERIFY2(changed, qPrintable(QStringLiteral("%1 was never written").arg(box->objectName())));
            if (!changed) continue;
            ++written;
            QVERIFY2(box->cursorPosition() == 0, qPrintable(QStringLiteral("%1 shows \"%2\" from position %3")
                                                                .arg(box->objectName(), box->text())
                                                                .arg(box->cursorPosition())));
        }
        // Results, rewritten inputs, complex parts, grid cells, converted units and angles.
        QVERIFY2(written >= 55, qPrintable(QString::number(written)));
    }

    // A long result box scrolled down shows the start of its next result.
    void aNewLongResultShowsFromItsFirstLine() {
        TestWindow t;
        auto* result = t.find<ResultView>("Text6");
        t.enter("Text5_0", "3000");
        t.click("Command4");
        settle(t);
        QVERIFY(result->verticalScrollBar()->maximum() > 0);
        result->verticalScrollBar()->setValue(result->verticalScrollBar()->maximum());
        t.enter("Text5_0", "2999");
        t.click("Command4");
        settle(t);
        QVERIFY(result->text().startsWith(QStringLiteral("138311")));  // 2999! has 9128 digits
        QCOMPARE(result->text().size(), qsizetype{9128});
        QCOMPARE(result->verticalScrollBar()->value(), 0);
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
    // box's formula commit, and no other button.
    void enterPressesTheButtonOfItsOwnFrame() {
        TestWindow t;
        struct Row {
            const char* box;
            const char* typed;
            const char* button;
            const char* committed;  // the box's text when the button runs (null: as typed)
        };
        const Row rows[] = {
            {"Text1_0", "12", "Command1", nullptr},
            {"Text1_1", "3", "Command1", nullptr},
            {"Text1_3", "12", "Command2", nullptr},
            {"Text1_2", "3", "Command2", nullptr},
            {"Text1_4", "12", "Command3", nullptr},
            {"Text1_5", "3", "Command3", nullptr},
            {"Text8", "2", "Command6", nullptr},
            {"Text5_1", "10", "Command6", nullptr},
            {"Text5_0", "10", "Command4", nullptr},
            {"Text11", "2*3", "Command8", "6"},
            {"Text13", "1/4", "Command9", "0.25"},
            {"Text29", "2*6", "Command17", "12"},
            {"Text43", "3", "Command23", nullptr},
            {"Text44_0", "12", "Command23", nullptr},
            {"Text44_1", "18", "Command23", nullptr},
            {"Text47_0", "2*4", "Command25", "8"},
            {"Text47_1", "1+1", "Command25", "2"},
            {"Text48_0", "5", "Command26", nullptr},
            {"Text48_1", "2", "Command26", nullptr},
            {"Text48_2", "5", "Command27", nullptr},
            {"Text48_3", "2", "Command27", nullptr},
            {"Text35_0", "1+1", "Command18", "2"},
            {"Text35_3", "2*2", "Command18", "4"},
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
            {"Text21_0", "3", "Command14", nullptr},
            {"Text21_1", "1", "Command14", nullptr},
            {"Text23", "x", "Command15", nullptr},
            {"Text22_0", "3", "Command15", nullptr},
            {"Text22_1", "1", "Command15", nullptr},
            {"Text26", "x", "Command16", nullptr},
            {"Text25_0", "1", "Command16", nullptr},
            {"Text25_1", "2", "Command16", nullptr},
            {"Text28", "100", "Command16", nullptr},
            {"Text60", "1+1", "Command35", "2"},
        };
        ClickCounter counter(t);
        for (const Row& row : rows) {
            for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Enter}) {
                QLineEdit* box = t.edit(QString::fromLatin1(row.box));
                auto* button = t.find<QAbstractButton>(QString::fromLatin1(row.button));
                QString textAtClick;
                const auto seen = QObject::connect(button, &QAbstractButton::clicked, button,
                                                   [&textAtClick, box] { textAtClick = box->text(); });
                t.type(box, QString::fromLatin1(row.typed));
                counter.clicks.clear();
                QTest::keyClick(box, key);
                settle(t);
                QObject::disconnect(seen);
                const QString where = QStringLiteral("%1 (key %2)").arg(QLatin1String(row.box)).arg(key);
                QVERIFY2(counter.clicks.value(button->objectName()) == 1 && counter.total() == 1,
                         qPrintable(where + QStringLiteral(": ") + QStringList(counter.clicks.keys()).join(u',')));
                QVERIFY2(textAtClick == QString::fromLatin1(row.committed ? row.committed : row.typed),
                         qPrintable(where + QStringLiteral(" had \"") + textAtClick + u'"'));
                QVERIFY2(box->hasFocus(), qPrintable(where));
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

    // A formula that fails on Enter shows the field's message and presses
    // nothing; so does a misplaced sign in a big-number box.
    void enterWithAFailingBoxPressesNothing() {
        TestWindow t;
        ClickCounter counter(t);
        struct Row {
            const char* box;
            const char* typed;
            const char* message;
        } rows[] = {
            {"Text47_0", "1/0", "式子有问题"},
            {"Text52_0", "(1", "式子有问题"},
            {"Text1_0", "1-2", nullptr},
        };
        for (const Row& row : rows) {
            QLineEdit* box = t.edit(QString::fromLatin1(row.box));
            t.type(box, QString::fromLatin1(row.typed));
            t.ui.messages.clear();
            counter.clicks.clear();
            QTest::keyClick(box, Qt::Key_Return);
            settle(t);
            QVERIFY2(counter.total() == 0, row.box);
            QVERIFY2(!t.ui.messages.isEmpty(), row.box);
            if (row.message) QCOMPARE(t.ui.messages.last(), QString::fromUtf8(row.message));
            QCOMPARE(box->text(), QString::fromLatin1(row.typed));
            QVERIFY2(box->hasFocus(), row.box);
            t.enter(box, QStringLiteral("0"));  // a good text before the next row's box takes the focus
        }
    }

    // Tab goes through every element of a matrix of order 6 in reading
    // order, scrolling the 4 × 4 window; Shift+Tab comes back; the arrows
    // reach the far corner; an edit is committed to the element it stood for.
    void tabWalksOverTheWholeMatrix() {
        TestWindow t;
        PageState& state = t.window->pageState();
        t.enter("Text53", "6");
        for (int i = 0; i < 36; ++i) state.matrixStore[static_cast<std::size_t>(i)] = 100 + i;
        state.showMatrixFromCorner();
        QLineEdit* first = t.edit("Text52_0");
        t.showTabOf(first);
        first->setFocus(Qt::TabFocusReason);
        auto focusedText = [] {
            auto* box = qobject_cast<QLineEdit*>(QApplication::focusWidget());
            return box ? box->text() : QStringLiteral("<no box>");
        };
        auto expectAt = [&](int element, const char* how) {
            auto* box = qobject_cast<QLineEdit*>(QApplication::focusWidget());
            QVERIFY2(box && box->objectName().startsWith(QStringLiteral("Text52_")), how);
            QVERIFY2(focusedText() == QString::number(100 + element),
                     qPrintable(QStringLiteral("%1 to element %2 shows %3")
                                    .arg(QLatin1String(how))
                                    .arg(element)
                                    .arg(focusedText())));
            QVERIFY2(!box->visibleRegion().isEmpty(), how);
            QVERIFY2(box->selectedText() == box->text() && box->cursorPosition() == 0, how);
        };
        for (int element = 1; element < 36; ++element) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            expectAt(element, "Tab");
        }
        QCOMPARE(t.find<QScrollBar>("HScroll1")->value(), 2);
        QCOMPARE(t.find<QScrollBar>("VScroll2")->value(), 2);
        // Past the last element Tab leaves the grid.
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QVERIFY(!QApplication::focusWidget()->objectName().startsWith(QStringLiteral("Text52_")));
        QLineEdit* corner = t.edit("Text52_15");
        corner->setFocus(Qt::TabFocusReason);
        for (int element = 34; element >= 0; --element) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab, Qt::ShiftModifier);
            expectAt(element, "Shift+Tab");
        }
        for (int row = 1; row < 6; ++row) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
            expectAt(6 * row, "Down");
        }
        for (int column = 1; column < 6; ++column) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Right);
            expectAt(30 + column, "Right");
        }
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Up);
        expectAt(29, "Up");
        // Left moves the cursor inside a text first, and leaves it at its start.
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_End);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Left);
        QVERIFY(focusedText() == QStringLiteral("129"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Home);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Left);
        expectAt(28, "Left");

        // An edit in the window's first column, then Shift+Tab scrolls left:
        // the edit lands in the element the cell stood for.
        // Three steps through the text, then four cells to the left; the
        // last two scroll.
        QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("7*7"));
        for (int i = 0; i < 7; ++i) QTest::keyClick(QApplication::focusWidget(), Qt::Key_Left);
        QCOMPARE(state.matrixStore[28], 49.0);
        QCOMPARE(t.find<QScrollBar>("HScroll1")->value(), 0);
        QCOMPARE(focusedText(), QStringLiteral("124"));
        QCOMPARE(t.ui.messages, QStringList{});

        // Up to the window's top row; there a failing formula keeps the
        // window and the focus where they are.
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Up);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Up);
        expectAt(12, "Up");
        QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("1/0"));
        QWidget* failing = QApplication::focusWidget();
        QTest::keyClick(failing, Qt::Key_Up);
        QCOMPARE(t.ui.messages, QStringList{QStringLiteral("式子有问题")});
        QCOMPARE(QApplication::focusWidget(), failing);
        QCOMPARE(static_cast<QLineEdit*>(failing)->text(), QStringLiteral("1/0"));
        QCOMPARE(t.find<QScrollBar>("VScroll2")->value(), 2);
        QCOMPARE(state.matrixStore[12], 112.0);
    }

    // The equations of six unknowns: 6 rows of 7 cells (the coefficients and
    // the right-hand side) behind a 4 × 5 window.
    void tabWalksOverTheWholeSystemOfEquations() {
        TestWindow t;
        PageState& state = t.window->pageState();
        t.enter("Text57", "6");
        for (int i = 0; i < 42; ++i) state.equationStore[static_cast<std::size_t>(i)] = 200 + i;
        QScrollBar* columns = t.find<QScrollBar>("HScroll2");
        columns->setValue(1);  // a refresh shows the store
        columns->setValue(0);
        QLineEdit* first = t.edit("jfc_0");
        QCOMPARE(first->text(), QStringLiteral("200"));
        first->setFocus(Qt::TabFocusReason);
        for (int element = 1; element < 42; ++element) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            auto* box = qobject_cast<QLineEdit*>(QApplication::focusWidget());
            QVERIFY(box && box->objectName().startsWith(QStringLiteral("jfc_")));
            QCOMPARE(box->text(), QString::number(200 + element));
            QVERIFY(!box->visibleRegion().isEmpty());
        }
        QCOMPARE(columns->value(), 2);
        QCOMPARE(t.find<QScrollBar>("VScroll3")->value(), 2);
        // Back up the first column with the arrow: the rows scroll down again.
        for (int i = 0; i < 6; ++i) QTest::keyClick(QApplication::focusWidget(), Qt::Key_Left);
        for (int row = 4; row >= 0; --row) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Up);
            QCOMPARE(static_cast<QLineEdit*>(QApplication::focusWidget())->text(), QString::number(200 + 7 * row));
        }
        QCOMPARE(columns->value(), 0);
        QCOMPARE(t.find<QScrollBar>("VScroll3")->value(), 0);
        // The solution of this system is not the point; its line is there.
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        settle(t);
        QVERIFY(t.text("Text58").startsWith(QStringLiteral("A=")) || !t.ui.messages.isEmpty());
    }

    // The polynomial's one line of four cells over seven coefficients.
    void arrowsWalkOverEveryCoefficient() {
        TestWindow t;
        t.enter("Text59", "6");
        std::vector<double>& coefficients = t.window->pageState().polynomialCoefficients;
        QCOMPARE(coefficients.size(), std::size_t{7});
        QLineEdit* first = t.edit("ncfc_0");
        t.showTabOf(first);
        first->setFocus(Qt::TabFocusReason);
        for (int i = 1; i < 7; ++i) {
            QTest::keyClicks(QApplication::focusWidget(), QString::number(10 + i - 1));
            QTest::keyClick(QApplication::focusWidget(), i % 2 ? Qt::Key_Tab : Qt::Key_Right);
        }
        QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("16"));
        // Down has no row to go to; Tab past the last coefficient leaves the line.
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
        QVERIFY(QApplication::focusWidget()->objectName().startsWith(QStringLiteral("ncfc_")));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QVERIFY(!QApplication::focusWidget()->objectName().startsWith(QStringLiteral("ncfc_")));
        QCOMPARE(coefficients, (std::vector<double>{10, 11, 12, 13, 14, 15, 16}));
        QCOMPARE(t.find<QScrollBar>("HScroll3")->value(), 3);
    }
};

QTEST_MAIN(ReadingAndKeysTest)
#include "test_reading_and_keys.moc"
