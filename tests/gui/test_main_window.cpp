// The window shell: tabs, cover links, help page, quick calculator, and the
// formula-field mechanism every page shares.
#include <QCheckBox>
#include <QClipboard>
#include <QFile>
#include <sys/stat.h>

#include "app/shell_pages.h"
#include "gui_test_support.h"
#include "widgets/result_view.h"

class MainWindowTest : public QObject {
    Q_OBJECT

private slots:
    void coverLinksChangeColourAndOpen() {
        TestWindow t;
        auto* mail = t.find<QLabel>("Label53");
        auto* home = t.find<QLabel>("Label54");
        QTest::mouseMove(mail, QPoint(2, 2));
        QCOMPARE(mail->palette().color(QPalette::WindowText), QColor(0, 0, 255));
        QTest::mouseMove(t.find<QWidget>("tabCover"), QPoint(1, 1));
        QCOMPARE(mail->palette().color(QPalette::WindowText), QColor(255, 0, 0));
        QCOMPARE(home->palette().color(QPalette::WindowText), QColor(255, 0, 0));
        QTest::mouseClick(mail, Qt::LeftButton);
        QTest::mouseClick(home, Qt::LeftButton);
        QCOMPARE(t.ui.openedAddresses, QStringList({QStringLiteral("mailto:numerelle@example.org"),
                                                    QStringLiteral("https://numerelle.example.org")}));
    }

    // The shipped files, decoded from GB2312; the box takes no typing and
    // undoes a change that arrives another way.
    void helpButtonsShowTheirFiles() {
        TestWindow t;
        auto* help = t.find<QPlainTextEdit>("helptext");
        t.click("Command41");
        t.window->longWork().waitForIdle();
        QVERIFY(help->toPlainText().startsWith(QStringLiteral("使用帮助")));
        QVERIFY(help->toPlainText().contains(QStringLiteral("ARCSINH")));
        t.click("Command40");
        t.window->longWork().waitForIdle();
        QVERIFY(help->toPlainText().startsWith(QStringLiteral("在线升级")));
        QCOMPARE(t.ui.openedAddresses, QStringList({QStringLiteral("https://numerelle.example.org")}));
        const QString before = help->toPlainText();
        help->setFocus();
        QTest::keyClicks(help, QStringLiteral("abc"));
        QTest::keyClick(help, Qt::Key_Backspace);
        QApplication::clipboard()->setText(QStringLiteral("clip"));
        QTest::keyClick(help, Qt::Key_V, Qt::ControlModifier);
        help->insertPlainText(QStringLiteral("pasted"));
        QCOMPARE(help->toPlainText(), before);
    }

    // The box shows the text with LF breaks (and the undo of a paste settles
    // instead of recursing); a missing file shows an empty box and is not
    // created; what is no regular file or too large is refused with the box
    // left as it was.
    void helpFilesShowWithLfBreaksOrAreRefused() {
        DataDirectory data;
        TestWindow t;
        auto* help = t.find<QPlainTextEdit>("helptext");
        QCOMPARE(::mkfifo(QFile::encodeName(data.path(QStringLiteral("help1.vqx"))).constData(), 0600), 0);
        QFile huge(data.path(QStringLiteral("help2.vqx")));
        QVERIFY(huge.open(QIODevice::WriteOnly) && huge.resize(qint64{50} * 1024 * 1024));
        huge.close();
        const struct {
            const char* name;
            const char* button;
            QString text, shown, message;
        } rows[] = {
            {"short", "Command38", QStringLiteral("帮助"), QStringLiteral("帮助"), {}},
            {"CR LF, CR and LF", "Command38", QStringLiteral("a\r\nb\rc\n\r\n"), QStringLiteral("a\nb\nc\n\n"), {}},
            {"not a regular file", "Command39", {}, QStringLiteral("a\nb\nc\n\n"), QStringLiteral("不是普通文件")},
            {"too large", "Command40", {}, QStringLiteral("a\nb\nc\n\n"), QStringLiteral("超过 16 MB")},
            {"missing", "Command42", {}, QString(), {}},
        };
        for (const auto& row : rows) {
            if (!row.text.isNull()) {
                data.write(QStringLiteral("help.vqx"), row.text);
                // The box shows a lone CR as a break too: only the loader's text tells.
                QString loaded;
                QVERIFY(openfiles(data.path(QStringLiteral("help.vqx")), loaded) == numerelle::DataFileProblem::None);
                QVERIFY2(loaded == row.shown, row.name);
            }
            t.ui.messages.clear();
            t.click(QString::fromLatin1(row.button));
            t.window->longWork().waitForIdle();
            QVERIFY2(help->toPlainText() == row.shown, row.name);
            help->insertPlainText(QStringLiteral("pasted"));
            QVERIFY2(help->toPlainText() == row.shown, row.name);
            QVERIFY2(t.ui.messages.size() == (row.message.isNull() ? 0 : 1), row.name);
            if (!row.message.isNull()) QVERIFY2(t.ui.messages[0].contains(row.message), qPrintable(t.ui.messages[0]));
        }
        QVERIFY(!QFile::exists(data.path(QStringLiteral("help4.vqx"))));
    }

    // The quick calculator shows its value from the start; a failing formula
    // shows the messages, empties the result and takes the focus back.
    void quickCalculator() {
        TestWindow t;
        auto* formula = t.edit("Text64");
        for (const auto& [typed, shown, messages] :
             {std::tuple{"1/2", "0.5", QStringList()},
              std::tuple{"(2", "", QStringList{QStringLiteral("括号错了!"), QStringLiteral("式子有问题")}}}) {
            t.ui.messages.clear();
            t.type(formula, QString::fromLatin1(typed));
            t.click("Command37");
            QCOMPARE(t.text("Text65"), QString::fromLatin1(shown));
            QCOMPARE(t.edit("Text65")->cursorPosition(), 0);
            QCOMPARE(t.ui.messages, messages);
            if (!messages.isEmpty()) QTRY_VERIFY(formula->hasFocus());
        }
    }

    // A formula field commits its value on focus loss; a failing formula is
    // refused with the text kept and the focus given back, in the shared
    // field and in a box with its own rewrite. The logarithm page then
    // resets a refused base or number with its own message.
    void formulaFieldsOnFocusLoss() {
        const QString bad = QStringLiteral("式子有问题");
        const struct {
            const char* box;
            const char* typed;
            const char* shown;
            QStringList messages;
        } rows[] = {
            {"Text47_0", "2*PI", "6.28318530717958", {}},
            {"Text47_0", "12abc", "12", {}},
            {"Text47_0", "(2", "(2", {QStringLiteral("括号错了!"), bad}},
            {"Text11", "1/0", "1/0", {bad}},
            {"Text47_1", "1", "10", {QStringLiteral("底数不能为0或1")}},
            {"Text47_0", "0", "1", {QStringLiteral("增数不能为0！")}},
        };
        for (const auto& row : rows) {
            TestWindow t;
            t.enter(row.box, QString::fromLatin1(row.typed));
            QCOMPARE(t.ui.messages, row.messages);
            QCOMPARE(t.text(row.box), QString::fromLatin1(row.shown));
            if (row.messages.endsWith(bad)) QTRY_VERIFY(t.edit(row.box)->hasFocus());
        }
    }

    // The check box sets the base aside; the base is written like log_b x:
    // beside "Log", dropped low as a subscript, then the number on the line
    // of "Log".
    void logarithmPage() {
        TestWindow t;
        auto* number = t.edit("Text47_0");
        auto* base = t.edit("Text47_1");
        auto* natural = t.find<QCheckBox>("Check1");
        t.enter(number, QStringLiteral("EXP(2)"));
        natural->setChecked(true);
        QVERIFY(!base->isEnabled());
        t.click("Command25");
        QCOMPARE(t.text("Text49"), QStringLiteral("2"));
        natural->setChecked(false);
        QVERIFY(base->isEnabled());

        auto placed = [&t](QWidget* w) { return QRect(w->mapTo(t.window.get(), QPoint()), w->size()); };
        const QRect logArea = placed(t.find<QLabel>("Label50")), baseArea = placed(base), numberArea = placed(number);
        QVERIFY(logArea.right() < baseArea.left() && baseArea.left() - logArea.right() < 20);
        QVERIFY(baseArea.right() < numberArea.left());
        QVERIFY(baseArea.top() > numberArea.top() && baseArea.top() < numberArea.bottom());
        QVERIFY(baseArea.bottom() > numberArea.bottom() && logArea.top() < baseArea.top());
    }

    void closingEmptiesTheBigResultBoxes() {
        TestWindow t;
        const QList<ResultView*> boxes = t.window->findChildren<ResultView*>();
        QCOMPARE(boxes.size(), 8);
        for (ResultView* box : boxes) box->setText(QString(100000, QChar(u'7')));
        QVERIFY(t.window->close());
        for (ResultView* box : boxes) QVERIFY2(box->text().isEmpty(), qPrintable(box->objectName()));
    }
};

QTEST_MAIN(MainWindowTest)
#include "test_main_window.moc"
