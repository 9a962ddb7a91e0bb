// The big-number pages as the user sees them: key filters, focus-loss
// checks, results arriving from the long-work runner, tool tips, lengths.
#include <QClipboard>
#include <QContextMenuEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <functional>

#include "gui_test_support.h"
#include "widgets/number_box.h"
#include "widgets/result_view.h"

class BigNumbersTest : public QObject {
    Q_OBJECT

private:
    static QString plain(TestWindow& w, const char* name) { return resultText(w.find<ResultView>(name)); }
    static void click(TestWindow& w, const char* name) { w.click(QString::fromLatin1(name)); }

    // Ctrl+V and Ctrl+C as an X11 keyboard sends them, with their control
    // characters as text (QTest would send the bare letters, which the
    // boxes' key filters discard).
    static void pressControlKey(QLineEdit* box, Qt::Key key, char16_t character) {
        QKeyEvent press(QEvent::KeyPress, key, Qt::ControlModifier, QString(QChar(character)));
        QApplication::sendEvent(box, &press);
    }
    static void paste(QLineEdit* box) { pressControlKey(box, Qt::Key_V, 0x16); }

    // Opens the widget's context menu and triggers the first entry `wanted` accepts.
    static bool chooseFromMenu(QWidget* target, const std::function<bool(const QAction*)>& wanted) {
        QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(5, 5), target->mapToGlobal(QPoint(5, 5)));
        QApplication::sendEvent(target, &event);
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        QAction* chosen = nullptr;
        for (QAction* action : menu ? menu->actions() : QList<QAction*>())
            if (!chosen && wanted(action)) chosen = action;
        if (chosen) chosen->trigger();
        if (menu) menu->close();
        return chosen != nullptr;
    }

    // Computes 10000! (35660 digits) into the factorial page's box.
    static ResultView* factorialShown(TestWindow& w) {
        auto* box = w.find<ResultView>("Text6");
        w.showTabOf(box);
        w.type(w.edit("Text5_0"), "10000");
        click(w, "Command4");
        w.window->longWork().waitForIdle();
        QApplication::processEvents();
        return box;
    }

    // Opens a result box's context menu and triggers the entry so named.
    static bool chooseFromMenu(ResultView* box, const char* entry) {
        return chooseFromMenu(box->viewport(), [entry](const QAction* action) {
            return action->objectName() == QLatin1String(entry) && action->isEnabled();
        });
    }

private slots:
    // Both refusals of a decimal box, in order, when it is left; the text
    // stays and the focus goes back to it.
    void decimalBoxesComplainOnFocusLoss() {
        TestWindow w;
        w.enter("Text1_5", "1.2-.3");
        QCOMPARE(w.ui.messages,
                 (QStringList{QStringLiteral("不能把负号放在这里"), QStringLiteral("不能有两个小数点")}));
        QCOMPARE(w.text("Text1_5"), QStringLiteral("1.2-.3"));
        QCOMPARE(QApplication::focusWidget(), w.edit("Text1_5"));
    }

    // Typed keys, and text an input method commits without key presses: the
    // boxes keep only what their key filters let through.
    void keyFiltersDiscardOtherCharacters() {
        const struct {
            const char* box;
            const char* typed;      // by the keys
            const char* committed;  // then by an input method (null: none)
            const char* kept;
        } rows[] = {
            {"Text1_1", "a-1/2.5e", nullptr, "-12.5"},
            {"Text8", "x-2.5 ", nullptr, "-2.5"},
            {"Text5_0", "1-2.3a", nullptr, "123"},
            {"Text5_1", "-7e", nullptr, "7"},
            {"Text48_2", "4.0", nullptr, "40"},
            {"Text43", "-3", nullptr, "3"},
            {"Text5_0", "", "１０", ""},      // full-width digits
            {"Text5_0", "7", "1２3", "713"},  // only the plain digits stay
            {"Text48_1", "5", "五个", "5"},   // Chinese characters in the set size
            {"Text8", "", "－2．5", "25"},    // full-width sign and point
            {"Text8", "", "-2.5", "-2.5"},    // what the keys let through passes
            {"Text1_0", "1", "e3", "13"},
        };
        TestWindow w;
        for (const auto& row : rows) {
            QLineEdit* box = w.edit(row.box);
            w.type(box, QString::fromUtf8(row.typed));
            if (row.committed) {
                QInputMethodEvent preedit(QString::fromUtf8(row.committed), {});
                QApplication::sendEvent(box, &preedit);
                QInputMethodEvent commit;
                commit.setCommitString(QString::fromUtf8(row.committed));
                QApplication::sendEvent(box, &commit);
            }
            QVERIFY2(box->text() == QString::fromUtf8(row.kept), row.box);
        }
    }

    // Pasting with Ctrl+V: what the box then holds, and whether it shows the
    // number in full or abbreviated.
    void pastedNumbersOfAnyLength() {
        const QString big(kLongNumber, u'8');
        const struct {
            const char* box;
            const char* before;
            int cursor;
            QString pasted, held;
            bool abbreviated;
        } rows[] = {
            {"Text1_0", "59", 1, "12", "5129", false},                        // cursor -1: everything selected
            {"Text1_1", "", -1, big, big, false},                             // exactly at the limit stays in full
            {"Text1_5", "7", 1, big, "7" + big, true},                        // one character past it
            {"Text8", "", -1, "1\n" + big + "\r\n2", "1" + big + "2", true},  // a copied result's line breaks dropped
            {"Text5_0", "1", 0, big, big + "1", true},
        };
        for (const auto& row : rows) {
            TestWindow w;
            QLineEdit* edit = w.edit(row.box);
            w.type(edit, row.before);
            if (row.cursor < 0) edit->selectAll();
            else edit->setCursorPosition(row.cursor);
            QApplication::clipboard()->setText(row.pasted);
            paste(edit);
            QVERIFY2(inputText(edit) == row.held, row.box);
            QCOMPARE(edit->isReadOnly(), row.abbreviated);
            if (row.abbreviated) {
                QVERIFY2(edit->text().size() < 60, qPrintable(edit->text()));
                QVERIFY2(edit->text().contains(QString::number(row.held.size())), qPrintable(edit->text()));
            } else {
                QCOMPARE(edit->text(), row.held);
            }
        }
    }

    // A held number (longer than a box shows): the context menu's paste takes
    // the way of Ctrl+V, the sum is of the whole number, Ctrl+C and the
    // menu copy all of it, the menu's clear and Backspace empty the box and
    // make it editable, and a misplaced sign inside it is still reported.
    void aHeldNumberIsComputedCopiedAndCleared() {
        TestWindow w;
        auto* box = w.edit("Text1_1");
        w.type(w.edit("Text1_0"), "1");
        w.showTabOf(box);
        // The line edit's menu is Qt's own: its entries are known by their texts.
        const auto choose = [box](const QString& ending) {
            return chooseFromMenu(box, [&](const QAction* action) { return action->text().endsWith(ending); });
        };
        const QString big(kLongNumber * 10, u'4');
        QApplication::clipboard()->setText(big + "-1");
        box->setFocus();
        paste(box);
        w.leaveFocus();
        QCOMPARE(w.ui.messages, QStringList{QStringLiteral("不能把负号放在这里")});
        box->setFocus();
        QTest::keyClick(box, Qt::Key_Backspace);
        QCOMPARE(inputText(box), QString());
        QVERIFY(!box->isReadOnly());
        QTest::keyClicks(box, "25");
        QCOMPARE(inputText(box), QStringLiteral("25"));

        QApplication::clipboard()->setText(big);
        box->selectAll();
        QVERIFY(choose(u'\t' + QKeySequence(QKeySequence::Paste).toString(QKeySequence::NativeText)));
        QVERIFY(box->isReadOnly());
        QCOMPARE(inputText(box), big);
        click(w, "Command1");
        QTRY_COMPARE_WITH_TIMEOUT(plain(w, "Text2").size(), big.size(), 10000);
        QVERIFY(plain(w, "Text2") == big.chopped(1) + u'5');
        for (const bool byMenu : {false, true}) {
            QApplication::clipboard()->clear();
            if (byMenu) QVERIFY(choose(QStringLiteral("复制")));
            else pressControlKey(box, Qt::Key_C, 0x03);
            QVERIFY2(QApplication::clipboard()->text() == big, byMenu ? "menu" : "Ctrl+C");
        }
        QVERIFY(choose(QStringLiteral("清除")));
        QCOMPARE(inputText(box), QString());
        QVERIFY(!box->isReadOnly());
    }

    // Every way of selecting and copying gives the digits exactly: all of
    // them, or from where the mouse went down to where it came up.
    void selectingAndCopyingGiveTheExactDigits() {
        TestWindow w;
        auto* box = factorialShown(w);
        const QString whole = resultText(box);
        QCOMPARE(whole.size(), 35660);
        QVERIFY(whole.startsWith(QStringLiteral("284625968091705451890641321211986889014805140170279923")));
        const qsizetype perLine = box->charactersPerLine();
        const QFontMetrics metrics(box->font());
        const int cell = metrics.horizontalAdvance(u'0'), line = metrics.lineSpacing();
        const struct {
            const char* name;
            std::function<void()> select;
            QString copied;
        } rows[] = {
            {"keys",
             [box] {
                 QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
                 QTest::keyClick(box, Qt::Key_C, Qt::ControlModifier);
             },
             whole},
            {"menu",
             [box] {
                 QVERIFY(!chooseFromMenu(box, "edit-copy"));
                 QVERIFY(chooseFromMenu(box, "select-all"));
                 QVERIFY(chooseFromMenu(box, "edit-copy"));
             },
             whole},
            {"double click",
             [box] {
                 QTest::mouseDClick(box->viewport(), Qt::LeftButton, {}, QPoint(20, 10));
                 box->copy();
             },
             whole},
            {"mouse, second line into the third",
             [=] {
                 // From the start of line 2 to the 7th cell of line 3.
                 QTest::mousePress(box->viewport(), Qt::LeftButton, {}, QPoint(4, 4 + line + line / 2));
                 QMouseEvent move(QEvent::MouseMove, QPointF(4 + 7 * cell, 4 + 2 * line + line / 2),
                                  box->viewport()->mapToGlobal(QPointF(0, 0)), Qt::NoButton, Qt::LeftButton, {});
                 QApplication::sendEvent(box->viewport(), &move);
                 QTest::mouseRelease(box->viewport(), Qt::LeftButton, {},
                                     QPoint(4 + 7 * cell, 4 + 2 * line + line / 2));
                 box->copy();
             },
             whole.mid(perLine, perLine + 7)},
        };
        for (const auto& row : rows) {
            box->setText(whole);  // no selection
            QApplication::clipboard()->clear();
            row.select();
            QVERIFY2(QApplication::clipboard()->text() == row.copied, row.name);
        }
    }

    // Lines are as wide as the box is now: widening or narrowing the window
    // breaks them again, and every digit is still on some line.
    void resultsRewrapWhenTheWindowIsResized() {
        TestWindow w;
        auto* box = factorialShown(w);
        const QString whole = resultText(box);
        for (const int width : {1400, 700, 1000}) {
            w.window->resize(width, 700);
            QApplication::processEvents();
            const qsizetype perLine = box->charactersPerLine();
            QVERIFY(perLine * QFontMetrics(box->font()).horizontalAdvance(u'0') <= box->viewport()->width());
            QVERIFY(perLine * QFontMetrics(box->font()).horizontalAdvance(u'0') > box->viewport()->width() - 40);
            QString joined;
            for (qsizetype line = 0; line < box->lineCount(); ++line) joined += box->lineText(line);
            QVERIFY2(joined == whole, qPrintable(QString::number(width)));
            QCOMPARE(box->lineText(box->lineCount() - 1).size(), (whole.size() - 1) % perLine + 1);
            QCOMPARE(box->verticalScrollBar()->maximum() + box->verticalScrollBar()->pageStep(), box->lineCount());
        }
    }

    // "保存到文件…" writes the digits and a newline; a cancelled dialog writes
    // nothing; a failed save is reported and leaves the existing file as it was.
    void savingAResultToAFile() {
        TestWindow w;
        auto* box = factorialShown(w);
        QTemporaryDir dir;
        // A name that leaves no room for the temporary file's suffix makes the
        // save fail whoever runs the test.
        const QString fits = dir.filePath(QStringLiteral("result.txt")), tooLong = dir.filePath(QString(250, u'n'));
        const struct {
            const char* name;
            std::optional<QString> answer;
            QByteArray before, after;
            QStringList messages;
        } rows[] = {
            {"new file", fits, {}, resultText(box).toLatin1() + '\n', {}},
            {"over an old one", fits, "old\n", resultText(box).toLatin1() + '\n', {}},
            {"cancelled", std::nullopt, "old\n", "old\n", {}},
            {"failed", tooLong, "old\n", "old\n", {QStringLiteral("无法保存到文件")}},
        };
        for (const auto& row : rows) {
            const QString path = row.answer.value_or(fits);
            for (const QString& file : QDir(dir.path()).entryList(QDir::Files)) QFile::remove(dir.filePath(file));
            if (!row.before.isNull()) {
                QFile old(path);
                QVERIFY(old.open(QIODevice::WriteOnly));
                old.write(row.before);
            }
            w.ui.messages.clear();
            if (row.answer) w.ui.saveAnswers.push_back(*row.answer);
            QVERIFY(chooseFromMenu(box, "save-to-file"));
            QFile saved(path);
            QVERIFY(saved.open(QIODevice::ReadOnly));
            QVERIFY2(saved.readAll() == row.after, row.name);
            QVERIFY2(w.ui.messages.size() == row.messages.size(), row.name);
            if (!row.messages.isEmpty())
                QVERIFY2(w.ui.messages[0].startsWith(row.messages[0]), qPrintable(w.ui.messages[0]));
            QCOMPARE(QDir(dir.path()).entryList(QDir::Files).size(), 1);  // no temporary file left behind
        }
    }

    // A length on show follows its box (one never asked for stays empty);
    // the timed work's seconds are in its button's tool tip; a box scrolled
    // down shows its next result from the first line.
    void lengthTimeAndScrollFollowTheResult() {
        TestWindow w;
        auto* box = factorialShown(w);
        QCOMPARE(w.text("Text7"), QString());
        QVERIFY(w.find<QPushButton>("Command4")->toolTip().endsWith(u'秒'));
        click(w, "Command5");
        QCOMPARE(w.text("Text7"), QStringLiteral("35660"));
        box->verticalScrollBar()->setValue(box->verticalScrollBar()->maximum());
        w.type(w.edit("Text5_0"), "2999");
        click(w, "Command4");
        QTRY_COMPARE(resultLength(box), 9128);
        QCOMPARE(w.text("Text7"), QStringLiteral("9128"));
        QVERIFY(box->verticalScrollBar()->maximum() > 0);
        QCOMPARE(box->verticalScrollBar()->value(), 0);
    }

    // The count box's least is 2 (with a beep); the bar walks over the
    // numbers; each refusal sits under its own caption: the divisor's in the
    // box below "最大公约数：", the multiple's in the box below "最小公倍数："
    // (each box's left edge is its caption's).
    void gcdPage() {
        TestWindow w;
        auto* count = w.edit("Text43");
        auto* first = w.edit("Text44_0");
        auto* second = w.edit("Text44_1");
        auto* scroll = w.find<QScrollBar>("VScroll1");
        w.enter(count, "1");
        QCOMPARE(count->text(), QStringLiteral("2"));
        QCOMPARE(w.ui.beeps, 1);
        w.type(second, "0011");
        QCOMPARE(second->text(), QStringLiteral("11"));

        w.enter(count, "3");
        QCOMPARE(scroll->maximum(), 1);
        w.type(first, "4");
        w.type(second, "6");
        scroll->setValue(1);
        w.expectShown({{"Label46", "第2个数"}, {"Label47", "第3个数"}, {"Text44_0", "6"}, {"Text44_1", "0"}});
        w.type(second, "10");
        scroll->setValue(0);
        QCOMPARE(first->text(), QStringLiteral("4"));
        click(w, "Command23");
        QTRY_COMPARE(w.text("Text46"), QStringLiteral("2"));
        click(w, "Command24");
        QTRY_COMPARE(plain(w, "Text45"), QStringLiteral("60"));

        w.enter(count, "2");
        w.type(first, "20000000000000002");
        w.type(second, "10000000000000001");
        click(w, "Command23");
        QTRY_COMPARE(w.text("Text46"), QStringLiteral("数太大了！"));
        QCOMPARE(plain(w, "Text45"), QStringLiteral("60"));
        w.type(first, "3");
        click(w, "Command24");
        QTRY_COMPARE(plain(w, "Text45"), QStringLiteral("数太大了！"));
        QCOMPARE(w.text("Text46"), QStringLiteral("数太大了！"));
        QVERIFY(w.ui.messages.isEmpty());
        for (const auto& [result, caption] : {std::pair{"Text45", "Label49"}, {"Text46", "Label48"}})
            QCOMPARE(w.find<QWidget>(result)->x(), w.find<QWidget>(caption)->x());
    }
};

QTEST_MAIN(BigNumbersTest)
#include "test_big_numbers.moc"
