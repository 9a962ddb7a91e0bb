// The big-number pages as the user sees them: key filters, focus-loss
// checks, results arriving from the long-work runner, tool tips, lengths.
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QTextDocument>

#include "app/long_work.h"
#include "gui_test_support.h"
#include "pages/big_page_support.h"

class BigNumbersTest : public QObject {
    Q_OBJECT

private:
    static QString plain(TestWindow& w, const char* name) { return bigpages::resultText(w.find<QPlainTextEdit>(name)); }
    static void click(TestWindow& w, const char* name) { w.click(QString::fromLatin1(name)); }

    // Ctrl+V and Ctrl+C as an X11 keyboard sends them, with their control
    // characters as text (QTest would send the bare letters, which the
    // boxes' key filters discard).
    static void pressControlKey(QLineEdit* box, Qt::Key key, char16_t character) {
        QKeyEvent press(QEvent::KeyPress, key, Qt::ControlModifier, QString(QChar(character)));
        QApplication::sendEvent(box, &press);
    }
    static void paste(QLineEdit* box) { pressControlKey(box, Qt::Key_V, 0x16); }
    static void copy(QLineEdit* box) { pressControlKey(box, Qt::Key_C, 0x03); }

private slots:
    void decimalBoxesComplainOnFocusLoss_data() {
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QStringList>("messages");
        const QString minus = QStringLiteral("不能把负号放在这里"), points = QStringLiteral("不能有两个小数点");
        QTest::newRow("minus inside an addend") << "Text1_0" << "1-2" << QStringList{minus};
        QTest::newRow("two points in a subtrahend") << "Text1_2" << "1.2.3" << QStringList{points};
        QTest::newRow("both in a factor") << "Text1_5" << "1.2-.3" << QStringList{minus, points};
        QTest::newRow("a leading minus is fine") << "Text1_4" << "-1.5" << QStringList{};
    }
    void decimalBoxesComplainOnFocusLoss() {
        QFETCH(QString, box);
        QFETCH(QString, typed);
        QFETCH(QStringList, messages);
        TestWindow w;
        auto* edit = w.find<QLineEdit>(box);
        w.type(edit, typed);
        w.leaveFocus();
        QCOMPARE(w.ui.messages, messages);
        QCOMPARE(edit->text(), typed);  // the text is left as it is
        if (!messages.isEmpty()) QCOMPARE(QApplication::focusWidget(), edit);
    }

    void keyFiltersDiscardOtherKeys_data() {
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("kept");
        QTest::newRow("decimal box") << "Text1_1" << "a-1/2.5e" << "-12.5";
        QTest::newRow("power base") << "Text8" << "x-2.5 " << "-2.5";
        QTest::newRow("factorial n") << "Text5_0" << "1-2.3a" << "123";
        QTest::newRow("exponent") << "Text5_1" << "-7e" << "7";
        QTest::newRow("selection") << "Text48_2" << "4.0" << "40";
        QTest::newRow("gcd count") << "Text43" << "-3" << "3";
    }
    void keyFiltersDiscardOtherKeys() {
        QFETCH(QString, box);
        QFETCH(QString, typed);
        QFETCH(QString, kept);
        TestWindow w;
        auto* edit = w.find<QLineEdit>(box);
        w.type(edit, typed);
        QCOMPARE(edit->text(), kept);
    }

    void refusedInputComputesNothing() {
        TestWindow w;
        auto* a = w.find<QLineEdit>("Text1_0");
        a->setText(QStringLiteral("12abc"));  // pasted, past the key filter
        click(w, "Command1");
        QTRY_COMPARE(w.ui.messages, QStringList{QStringLiteral("只能输入数字、小数点和负号")});
        QCOMPARE(plain(w, "Text2"), QStringLiteral("0"));
    }

    // Pasting with Ctrl+V: what the box then holds, and whether it shows the
    // number in full or abbreviated.
    void pastedNumbersOfAnyLength_data() {
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("before");
        QTest::addColumn<int>("cursor");  // -1: everything selected
        QTest::addColumn<QString>("pasted");
        QTest::addColumn<QString>("held");
        QTest::addColumn<bool>("abbreviated");
        const QString big(bigpages::kLongNumber, u'8');
        QTest::newRow("short paste at the cursor") << "Text1_0" << "59" << 1 << "12" << "5129" << false;
        QTest::newRow("short paste over a selection") << "Text1_4" << "59" << -1 << "12" << "12" << false;
        QTest::newRow("exactly at the limit stays in full") << "Text1_1" << "" << -1 << big << big << false;
        QTest::newRow("one character past the limit") << "Text1_5" << "7" << 1 << big << "7" + big << true;
        QTest::newRow("line breaks of a copied result dropped") << "Text8" << "" << -1 << "1\n" + big + "\r\n2"
                                                              << "1" + big + "2" << true;
        QTest::newRow("set size of a combination") << "Text48_3" << "1" << -1 << "3" + big << "3" + big << true;
        QTest::newRow("exponent") << "Text5_1" << "1" << -1 << "2" + big << "2" + big << true;
        QTest::newRow("factorial n") << "Text5_0" << "1" << 0 << big << big + "1" << true;
    }
    void pastedNumbersOfAnyLength() {
        QFETCH(QString, box);
        QFETCH(QString, before);
        QFETCH(int, cursor);
        QFETCH(QString, pasted);
        QFETCH(QString, held);
        QFETCH(bool, abbreviated);
        TestWindow w;
        auto* edit = w.find<QLineEdit>(box);
        w.type(edit, before);
        if (cursor < 0) edit->selectAll();
        else edit->setCursorPosition(cursor);
        QApplication::clipboard()->setText(pasted);
        paste(edit);
        QCOMPARE(bigpages::inputText(edit).size(), held.size());
        QCOMPARE(bigpages::inputText(edit), held);
        QCOMPARE(edit->isReadOnly(), abbreviated);
        if (abbreviated) {
            QVERIFY2(edit->text().size() < 60, qPrintable(edit->text()));
            QVERIFY2(edit->text().contains(QString::number(held.size())), qPrintable(edit->text()));
        } else {
            QCOMPARE(edit->text(), held);
        }
    }

    // The context menu's paste takes the same way as Ctrl+V; a held number's
    // menu copies and clears the whole of it.
    void contextMenuPastesCopiesAndClears() {
        TestWindow w;
        auto* box = w.find<QLineEdit>("Text1_1");
        w.showTabOf(box);
        const auto menuAction = [box](const QString& ending) -> QAction* {
            QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(5, 5), box->mapToGlobal(QPoint(5, 5)));
            QApplication::sendEvent(box, &event);
            auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            if (!menu) return nullptr;
            for (QAction* action : menu->actions())
                if (action->text().endsWith(ending)) return action;
            return nullptr;
        };
        const QString big(bigpages::kLongNumber + 1, u'4');
        QApplication::clipboard()->setText(big);
        box->selectAll();
        QAction* paste = menuAction(u'\t' + QKeySequence(QKeySequence::Paste).toString(QKeySequence::NativeText));
        QVERIFY(paste);
        paste->trigger();
        QApplication::activePopupWidget()->close();
        QVERIFY(box->isReadOnly());
        QCOMPARE(bigpages::inputText(box), big);

        QApplication::clipboard()->clear();
        QAction* copy = menuAction(QStringLiteral("复制"));
        QVERIFY(copy);
        copy->trigger();
        QApplication::activePopupWidget()->close();
        QCOMPARE(QApplication::clipboard()->text(), big);
        QAction* clear = menuAction(QStringLiteral("清除"));
        QVERIFY(clear);
        clear->trigger();
        QApplication::activePopupWidget()->close();
        QCOMPARE(bigpages::inputText(box), QString());
        QVERIFY(!box->isReadOnly());
    }

    void longPastedNumberIsComputedCopiedAndCleared() {
        TestWindow w;
        auto* addend = w.find<QLineEdit>("Text1_0");
        w.type(w.find<QLineEdit>("Text1_1"), "1");
        const QString nines(1'000'000, u'9');
        QApplication::clipboard()->setText(nines);
        addend->setFocus();
        addend->selectAll();
        paste(addend);
        click(w, "Command1");
        QTRY_COMPARE_WITH_TIMEOUT(plain(w, "Text2").size(), 1'000'001, 10000);
        QVERIFY(plain(w, "Text2") == u'1' + QString(1'000'000, u'0'));

        // Copying gives the whole number back, not what the box shows.
        QApplication::clipboard()->clear();
        copy(addend);
        QCOMPARE(QApplication::clipboard()->text().size(), nines.size());
        QVERIFY(QApplication::clipboard()->text() == nines);

        // A misplaced sign inside a held number is still reported on focus loss.
        QApplication::clipboard()->setText(nines + "-1");
        addend->setFocus();
        paste(addend);  // replaces the held number
        w.leaveFocus();
        QCOMPARE(w.ui.messages, QStringList{QStringLiteral("不能把负号放在这里")});

        // Backspace empties the box and makes it editable again.
        addend->setFocus();
        QTest::keyClick(addend, Qt::Key_Backspace);
        QCOMPARE(bigpages::inputText(addend), QString());
        QVERIFY(!addend->isReadOnly());
        QTest::keyClicks(addend, "25");
        QCOMPARE(bigpages::inputText(addend), QStringLiteral("25"));
    }

    void productShowsItsTimeInTheToolTip() {
        TestWindow w;
        w.type(w.find<QLineEdit>("Text1_4"), "-1.5");
        w.type(w.find<QLineEdit>("Text1_5"), "2");
        click(w, "Command3");
        QTRY_COMPARE(plain(w, "Text4"), QStringLiteral("- 3"));
        const QString tip = w.find<QPushButton>("Command3")->toolTip();
        QVERIFY2(tip.endsWith(QStringLiteral("秒")), qPrintable(tip));
        bool number = false;
        tip.chopped(1).trimmed().toDouble(&number);
        QVERIFY2(number, qPrintable(tip));
    }

    void longFactorialArrivesWithItsLength() {
        TestWindow w;
        w.type(w.find<QLineEdit>("Text5_0"), "99999");
        click(w, "Command4");
        QTRY_COMPARE_WITH_TIMEOUT(plain(w, "Text6").size(), 456569, 30000);
        QVERIFY(plain(w, "Text6").startsWith(QStringLiteral("28242294079603478742934215780245355184774949260912")));
        QVERIFY(plain(w, "Text6").endsWith(QStringLiteral("00000")));
        click(w, "Command5");
        QCOMPARE(w.find<QLineEdit>("Text7")->text(), QStringLiteral("456569"));
        // Copying gives the unbroken number.
        auto* box = w.find<QPlainTextEdit>("Text6");
        box->selectAll();
        box->copy();
        QCOMPARE(QApplication::clipboard()->text(), bigpages::resultText(box));
    }

    // A long result is broken into lines that fit its box: scrolling is
    // vertical only, in the small boxes as in the large ones.
    // A long result is broken into lines that fit its box: scrolling is
    // vertical only, in the small boxes as in the large ones. Where the page
    // has a length button, it counts the characters.
    void longResultsFitTheirBoxWidth_data() {
        QTest::addColumn<QStringList>("inputs");  // box name, text, box name, text...
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("result");
        QTest::addColumn<QString>("lengthButton");
        QTest::addColumn<QString>("lengthBox");
        QTest::newRow("sum") << QStringList{"Text1_0", QString(3000, u'9'), "Text1_1", "1"} << "Command1" << "Text2" << "" << "";
        QTest::newRow("difference") << QStringList{"Text1_2", QString(3000, u'9'), "Text1_3", "1"} << "Command2" << "Text3"
                                    << "" << "";
        QTest::newRow("product") << QStringList{"Text1_4", QString(900, u'7'), "Text1_5", "3"} << "Command3" << "Text4" << ""
                                 << "";
        QTest::newRow("factorial") << QStringList{"Text5_0", "3000"} << "Command4" << "Text6" << "Command5" << "Text7";
        QTest::newRow("power") << QStringList{"Text8", "7", "Text5_1", "3000"} << "Command6" << "Text9" << "Command7"
                               << "Text10";
        QTest::newRow("permutations") << QStringList{"Text48_0", "50", "Text48_1", "1000000000000"} << "Command26"
                                      << "Text50" << "" << "";
        QTest::newRow("combinations") << QStringList{"Text48_2", "500", "Text48_3", "1000"} << "Command27" << "Text51"
                                      << "" << "";
    }
    void longResultsFitTheirBoxWidth() {
        QFETCH(QStringList, inputs);
        QFETCH(QString, button);
        QFETCH(QString, result);
        QFETCH(QString, lengthButton);
        QFETCH(QString, lengthBox);
        TestWindow w;
        for (qsizetype i = 0; i + 1 < inputs.size(); i += 2) bigpages::setInputText(w.find<QLineEdit>(inputs[i]), inputs[i + 1]);
        auto* box = w.find<QPlainTextEdit>(result);
        w.click(button);
        QTRY_VERIFY(bigpages::resultLength(box) > 200);
        QApplication::processEvents();
        QVERIFY(box->verticalScrollBar()->maximum() > 0);
        QCOMPARE(box->horizontalScrollBar()->maximum(), 0);
        QVERIFY(w.ui.messages.isEmpty());
        if (lengthButton.isEmpty()) return;
        w.click(lengthButton);
        QCOMPARE(w.text(lengthBox), QString::number(bigpages::resultLength(box)));
    }

    // Refusals shown in a message box, and what the result box then shows.
    void messagesOfThePermutationPage() {
        const struct { const char* n; const char* m; const char* button; const char* result; const char* shown; const char* message; } rows[] = {
            {"5", "3", "Command26", "Text50", "0", "数据要上小，下大？"},
            {"100000", "1", "Command27", "Text51", "?", "数据太大？需要很长时间，所以不能计算！"},  // left as it was
        };
        for (const auto& row : rows) {
            TestWindow w;
            const bool permutation = QByteArray(row.button) == "Command26";
            w.type(w.edit(permutation ? "Text48_0" : "Text48_2"), row.n);
            w.type(w.edit(permutation ? "Text48_1" : "Text48_3"), row.m);
            w.find<QPlainTextEdit>(row.result)->setPlainText(QStringLiteral("?"));
            click(w, row.button);
            w.window->longWork().waitForIdle();
            QCOMPARE(w.ui.messages, QStringList{QString::fromUtf8(row.message)});
            QCOMPARE(plain(w, row.result), QString::fromUtf8(row.shown));
        }
    }

    void gcdPageWalksThroughItsNumbers() {
        TestWindow w;
        auto* count = w.find<QLineEdit>("Text43");
        auto* first = w.find<QLineEdit>("Text44_0");
        auto* second = w.find<QLineEdit>("Text44_1");
        auto* scroll = w.find<QScrollBar>("VScroll1");
        w.type(count, "1");
        w.leaveFocus();
        QCOMPARE(count->text(), QStringLiteral("2"));
        QCOMPARE(w.ui.beeps, 1);

        w.type(count, "3");
        w.leaveFocus();
        QCOMPARE(scroll->maximum(), 1);
        w.type(first, "4");
        w.type(second, "6");
        scroll->setValue(1);
        QCOMPARE(w.find<QLabel>("Label46")->text(), QStringLiteral("第2个数"));
        QCOMPARE(w.find<QLabel>("Label47")->text(), QStringLiteral("第3个数"));
        QCOMPARE(first->text(), QStringLiteral("6"));
        QCOMPARE(second->text(), QStringLiteral("0"));
        w.type(second, "10");
        scroll->setValue(0);
        QCOMPARE(first->text(), QStringLiteral("4"));

        click(w, "Command23");
        QTRY_COMPARE(w.find<QLineEdit>("Text46")->text(), QStringLiteral("2"));
        click(w, "Command24");
        QTRY_COMPARE(plain(w, "Text45"), QStringLiteral("60"));
        QVERIFY(w.ui.messages.isEmpty());
    }

    void gcdBoxesKeepSixteenDigitsAndRefuseZero() {
        TestWindow w;
        auto* first = w.find<QLineEdit>("Text44_0");
        auto* second = w.find<QLineEdit>("Text44_1");
        w.type(first, "1234567890123456");
        QCOMPARE(first->text(), QStringLiteral("1234567890123456"));
        w.type(second, "0011");
        QCOMPARE(second->text(), QStringLiteral("11"));
        click(w, "Command24");
        QTRY_COMPARE(plain(w, "Text45"), QStringLiteral("13580246791358016"));
        w.type(second, "");
        QCOMPARE(second->text(), QStringLiteral("0"));
        click(w, "Command23");
        QTRY_COMPARE(w.ui.messages, QStringList{QStringLiteral("数据不可以有0")});
        QCOMPARE(w.find<QLineEdit>("Text46")->text(), QStringLiteral("1"));
    }
};

QTEST_MAIN(BigNumbersTest)
#include "test_big_numbers.moc"
