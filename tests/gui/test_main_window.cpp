// The window shell: tabs, cover links, help page, quick calculator, and the
// formula-field mechanism every page shares.
#include <QCheckBox>
#include <QClipboard>
#include <QFile>
#include <QTabWidget>
#include <sys/stat.h>

#include "gui_test_support.h"
#include "widgets/formula_field.h"
#include "widgets/result_view.h"

class MainWindowTest : public QObject {
    Q_OBJECT

private slots:
    void coverLinksChangeColourAndOpen() {
        TestWindow t;
        auto* mail = t.find<QLabel>("Label53");
        auto* home = t.find<QLabel>("Label54");
        QCOMPARE(t.find<QLabel>("Image1")->pixmap().size(), QSize(463, 168));
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

    void helpButtonsShowTheirFiles() {
        TestWindow t;
        auto* help = t.find<QPlainTextEdit>("helptext");
        QVERIFY(help->toPlainText().startsWith(QStringLiteral("你好！\n     欢迎使用本软件！")));
        // The shipped files, decoded from GB2312.
        t.find<QPushButton>("Command41")->click();
        t.window->longWork().waitForIdle();
        QVERIFY(help->toPlainText().startsWith(QStringLiteral("使用帮助")));
        QVERIFY(help->toPlainText().contains(QStringLiteral("ARCSINH")));
        t.find<QPushButton>("Command40")->click();
        t.window->longWork().waitForIdle();
        QVERIFY(help->toPlainText().startsWith(QStringLiteral("在线升级")));
        QCOMPARE(t.ui.openedAddresses, QStringList({QStringLiteral("https://numerelle.example.org")}));
    }

    // Any length, and any line breaks: the box shows the text with LF breaks,
    // and the undo of a paste settles instead of recursing.
    void helpFilesShowWholeWithTheirLineBreaksMadeLf() {
        DataDirectory data;
        TestWindow t;
        auto* help = t.find<QPlainTextEdit>("helptext");
        struct Row {
            const char* name;
            QString text;
            QString shown;
        };
        // 85 two-byte characters are exactly 170 bytes; 255 of them exactly 510 (2 × 255).
        const QString block(255, QChar(u'数'));
        const Row rows[] = {
            {"empty", QString(), QString()},
            {"exact multiple of 255 bytes", block, block},
            {"one byte past a block", block + QStringLiteral("x"), block + QStringLiteral("x")},
            {"short", QStringLiteral("帮助"), QStringLiteral("帮助")},
            {"CR LF", QStringLiteral("第一行\r\n第二行\r\n"), QStringLiteral("第一行\n第二行\n")},
            {"CR alone", QStringLiteral("a\rb"), QStringLiteral("a\nb")},
            {"CR LF and LF mixed", QStringLiteral("a\r\nb\nc\r\n\r\n"), QStringLiteral("a\nb\nc\n\n")},
        };
        for (const Row& row : rows) {
            data.write(QStringLiteral("help.vqx"), row.text);
            t.find<QPushButton>("Command38")->click();
            t.window->longWork().waitForIdle();
            QVERIFY2(help->toPlainText() == row.shown, row.name);
            help->insertPlainText(QStringLiteral("pasted"));
            QVERIFY2(help->toPlainText() == row.shown, row.name);
        }
        // A missing file shows an empty box and is not created.
        t.find<QPushButton>("Command39")->click();
        t.window->longWork().waitForIdle();
        QCOMPARE(help->toPlainText(), QString());
        QVERIFY(!QFile::exists(data.path(QStringLiteral("help1.vqx"))));
    }

    void helpFilesThatAreNoRegularFilesOrHugeAreRefused() {
        DataDirectory data;
        TestWindow t;
        auto* help = t.find<QPlainTextEdit>("helptext");
        const QString before = help->toPlainText();
        QCOMPARE(::mkfifo(QFile::encodeName(data.path(QStringLiteral("help1.vqx"))).constData(), 0600), 0);
        QFile huge(data.path(QStringLiteral("help2.vqx")));
        QVERIFY(huge.open(QIODevice::WriteOnly) && huge.resize(qint64{50} * 1024 * 1024));
        huge.close();
        struct Row {
            const char* button;
            const char* file;
            QString says;
        };
        const Row rows[] = {
            {"Command39", "help1.vqx", QStringLiteral("不是普通文件")},
            {"Command40", "help2.vqx", QStringLiteral("超过 16 MB")},
        };
        for (const Row& row : rows) {
            t.ui.messages.clear();
            t.find<QPushButton>(QString::fromLatin1(row.button))->click();
            t.window->longWork().waitForIdle();
            QVERIFY2(t.ui.messages.size() == 1, row.file);
            QVERIFY2(t.ui.messages[0].contains(data.path(QString::fromLatin1(row.file))), qPrintable(t.ui.messages[0]));
            QVERIFY2(t.ui.messages[0].contains(row.says), qPrintable(t.ui.messages[0]));
            // The box keeps what it showed, and still cannot be changed.
            QCOMPARE(help->toPlainText(), before);
            help->insertPlainText(QStringLiteral("pasted"));
            QCOMPARE(help->toPlainText(), before);
        }
    }

    void helpBoxCannotBeEdited() {
        TestWindow t;
        auto* help = t.find<QPlainTextEdit>("helptext");
        t.showTabOf(help);
        const QString before = help->toPlainText();
        help->setFocus();
        QTest::keyClicks(help, QStringLiteral("abc"));
        QTest::keyClick(help, Qt::Key_Backspace);
        QTest::keyClick(help, Qt::Key_Return);
        QCOMPARE(help->toPlainText(), before);
        // A change that arrives another way is undone at once.
        help->insertPlainText(QStringLiteral("pasted"));
        QCOMPARE(help->toPlainText(), before);
        QApplication::clipboard()->setText(QStringLiteral("clip"));
        QTest::keyClick(help, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(help->toPlainText(), before);
    }

    void quickCalculator() {
        TestWindow t;
        auto* formula = t.find<QLineEdit>("Text64");
        auto* result = t.find<QLineEdit>("Text65");
        auto* equals = t.find<QPushButton>("Command37");
        QCOMPARE(formula->text(), QStringLiteral("0"));
        QCOMPARE(result->text(), QStringLiteral("0"));
        struct Row {
            const char* formula;
            const char* result;
            int messages;
        };
        const Row rows[] = {{"SIN(PI/2)+1", "2", 0}, {"1/2", "0.5", 0}, {"", "0", 0}, {"1/0", "", 1}, {"(2", "", 2}};
        for (const Row& row : rows) {
            t.ui.messages.clear();
            t.type(formula, QString::fromUtf8(row.formula));
            equals->click();
            QCOMPARE(result->text(), QString::fromUtf8(row.result));
            QCOMPARE(t.ui.messages.size(), row.messages);
            if (row.messages) {
                QCOMPARE(t.ui.messages.last(), QStringLiteral("式子有问题"));
                QTRY_VERIFY(formula->hasFocus());
            }
        }
        QCOMPARE(t.ui.messages.first(), QStringLiteral("括号错了!"));
    }

    // A formula field commits its value on focus loss; a failing formula is
    // refused with the text kept and the focus given back, in the shared
    // field and in a box with its own rewrite. (The logarithm page turns an
    // empty number, read as 0, into 1 with its own message.)
    void formulaFieldsOnFocusLoss() {
        const QString bad = QStringLiteral("式子有问题");
        const struct {
            const char* box;
            const char* typed;
            const char* shown;
            QStringList messages;
        } rows[] = {
            {"Text47_0", "2*PI", "6.28318530717958", {}},
            {"Text47_0", "", "1", {QStringLiteral("增数不能为0！")}},
            {"Text47_0", "12abc", "12", {}},
            {"Text47_0", "1E+20", "1E+20", {}},
            {"Text47_0", "1/0", "1/0", {bad}},
            {"Text47_0", "(2", "(2", {QStringLiteral("括号错了!"), bad}},
            {"Text11", "1/0", "1/0", {bad}},
        };
        for (const auto& row : rows) {
            TestWindow t;
            t.enter(row.box, QString::fromLatin1(row.typed));
            QCOMPARE(t.ui.messages, row.messages);
            QCOMPARE(t.text(row.box), QString::fromLatin1(row.shown));
            if (row.messages.endsWith(bad)) QTRY_VERIFY(t.edit(row.box)->hasFocus());
        }
    }

    void numericKeyFilters() {
        QLineEdit signedBox, unsignedBox, normalised;
        attachSignedNumericFilter(&signedBox);
        attachUnsignedNumericFilter(&unsignedBox);
        QTest::keyClicks(&signedBox, QStringLiteral("a-1+2.5/3 x*("));
        QCOMPARE(signedBox.text(), QStringLiteral("-12.5/3"));
        QTest::keyClicks(&unsignedBox, QStringLiteral("-1.5/2e"));
        QCOMPARE(unsignedBox.text(), QStringLiteral("1.5/2"));
        QTest::keyClick(&unsignedBox, Qt::Key_Backspace);
        QCOMPARE(unsignedBox.text(), QStringLiteral("1.5/"));
        // Shortcuts pass the filter even when they carry a letter.
        QApplication::clipboard()->setText(QStringLiteral("25"));
        QTest::keyClick(&unsignedBox, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(unsignedBox.text(), QStringLiteral("1.5/25"));

        struct Row {
            const char* text;
            const char* shown;
        };
        const Row rows[] = {{"", "0"}, {"12abc", "12"}, {"-.5", "-0.5"}, {"1/3", "1"}, {"x", "0"}};
        for (const Row& row : rows) {
            normalised.setText(QString::fromUtf8(row.text));
            normaliseNumberText(&normalised);
            QCOMPARE(normalised.text(), QString::fromUtf8(row.shown));
        }
    }

    void logarithmPage() {
        TestWindow t;
        auto* number = t.find<QLineEdit>("Text47_0");
        auto* base = t.find<QLineEdit>("Text47_1");
        auto* result = t.find<QLineEdit>("Text49");
        auto* equals = t.find<QPushButton>("Command25");
        auto* natural = t.find<QCheckBox>("Check1");
        QCOMPARE(result->text(), QStringLiteral("0"));

        struct Row {
            const char* number;
            const char* base;
            bool natural;
            const char* result;
        };
        // The values are golden cases; here each box and the check box reach them.
        const Row rows[] = {{"-8", "2", false, "3"}, {"EXP(2)", "10", true, "2"}};
        for (const Row& row : rows) {
            natural->setChecked(row.natural);
            t.enter(number, QString::fromUtf8(row.number));
            if (!row.natural) t.enter(base, QString::fromUtf8(row.base));
            equals->click();
            QCOMPARE(result->text(), QString::fromUtf8(row.result));
        }
        QVERIFY(t.ui.messages.isEmpty());

        // Written like log_b x: "Log", the base beside it dropped low as a
        // subscript, then the number on the line of "Log".
        t.showTabOf(number);
        auto placed = [&t](QWidget* w) { return QRect(w->mapTo(t.window.get(), QPoint()), w->size()); };
        const QRect logArea = placed(t.find<QLabel>("Label50"));
        const QRect baseArea = placed(base);
        const QRect numberArea = placed(number);
        QVERIFY(logArea.right() < baseArea.left());
        QVERIFY(baseArea.right() < numberArea.left());
        QVERIFY(baseArea.left() - logArea.right() < 20);
        QVERIFY(baseArea.top() > numberArea.top());
        QVERIFY(baseArea.top() < numberArea.bottom());
        QVERIFY(baseArea.bottom() > numberArea.bottom());
        QVERIFY(logArea.top() < baseArea.top());

        natural->setChecked(true);
        QVERIFY(!base->isEnabled());
        natural->setChecked(false);
        QVERIFY(base->isEnabled());
    }

    void logarithmPageRefusesItsBadInputs() {
        TestWindow t;
        auto* number = t.find<QLineEdit>("Text47_0");
        auto* base = t.find<QLineEdit>("Text47_1");
        struct Row {
            QLineEdit* box;
            const char* typed;
            const char* message;
            const char* resetTo;
        };
        const Row rows[] = {{base, "1", "底数不能为0或1", "10"},
                            {base, "-1", "底数不能为0或1", "10"},
                            {number, "0", "增数不能为0！", "1"}};
        for (const Row& row : rows) {
            t.ui.messages.clear();
            t.enter(row.box, QString::fromUtf8(row.typed));
            QCOMPARE(t.ui.messages, QStringList({QString::fromUtf8(row.message)}));
            QCOMPARE(row.box->text(), QString::fromUtf8(row.resetTo));
        }
        // Only one message per focus loss, the base's first.
        t.type(number, QStringLiteral("0"));
        number->blockSignals(true);
        base->setText(QStringLiteral("1"));
        t.ui.messages.clear();
        t.leaveFocus();
        QCOMPARE(t.ui.messages, QStringList({QStringLiteral("底数不能为0或1")}));
    }

    void closingEmptiesTheBigResultBoxes() {
        TestWindow t;
        // Every big result box, the product's and the multiple's included.
        const QStringList names = {"Text9", "Text2", "Text3", "Text4", "Text6", "Text45", "Text50", "Text51"};
        for (const QString& name : names) {
            auto* box = t.find<ResultView>(name);
            QVERIFY(box);
            box->setText(QString(100000, QChar(u'7')));
        }
        QVERIFY(t.window->close());
        for (const QString& name : names) QCOMPARE(t.find<ResultView>(name)->text(), QString());
    }
};

QTEST_MAIN(MainWindowTest)
#include "test_main_window.moc"
