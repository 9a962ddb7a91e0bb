// Frame17, Frame18 and Frame21: the scrolled matrix grid, order changes,
// determinant, saved matrices, product, Hessenberg form and eigenvalues.
#include <QDir>
#include <QFile>
#include <sys/stat.h>

#include "gui_test_support.h"
#include "widgets/data_paths.h"

namespace {

using Store = std::vector<double>;

struct MatrixPage {
    TestWindow t;
    QLineEdit* order = t.find<QLineEdit>("Text53");
    QLineEdit* name = t.find<QLineEdit>("Text55");
    QLineEdit* result = t.find<QLineEdit>("Text54");
    QScrollBar* columns = t.find<QScrollBar>("HScroll1");
    QScrollBar* rows = t.find<QScrollBar>("VScroll2");
    PageState& state = t.window->pageState();

    MatrixPage() { t.showTabOf(order); }

    QLineEdit* cell(int i) { return t.find<QLineEdit>(QStringLiteral("Text52_%1").arg(i)); }
    void enter(QLineEdit* box, const QString& text) { t.enter(box, text); }
    void setOrder(int n) { enter(order, QString::number(n)); }
    // Types the rows of a matrix of order ≤ 4 into the top-left cells.
    void enterMatrix(std::initializer_list<std::initializer_list<double>> rowsOfValues) {
        setOrder(static_cast<int>(rowsOfValues.size()));
        int r = 0;
        for (const auto& row : rowsOfValues) {
            int c = 0;
            for (double v : row) enter(cell(4 * r + c++), QString::number(v));
            ++r;
        }
    }
    void click(const char* button) { QTest::mouseClick(t.find<QPushButton>(button), Qt::LeftButton); }
    QString filePath(const QString& matrixName) { return userDataDirectory() + "/" + matrixName + ".kmx"; }
    void writeFile(const QString& matrixName, const QByteArray& bytes) {
        QFile file(filePath(matrixName));
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(bytes);
    }
    void saveAs(const QString& matrixName) {
        enter(name, matrixName);
        click("Command30");
    }
    void multiplyBy(const QString& matrixName) {
        enter(t.find<QLineEdit>("Text56"), matrixName);
        click("Command31");
        t.window->longWork().waitForIdle();
    }
};

QByteArray fileBytes(std::int32_t count, std::vector<double> values) {
    QByteArray bytes(reinterpret_cast<const char*>(&count), 4);  // little-endian hosts
    for (double v : values) bytes.append(reinterpret_cast<const char*>(&v), 8);
    return bytes;
}

}  // namespace

class MatrixPagesTest : public QObject {
    Q_OBJECT

private slots:
    void startsWithAnOrderTwoMatrix() {
        MatrixPage p;
        QCOMPARE(p.state.matrixStore, Store(5, 0.0));
        for (int i = 0; i < 16; ++i) {
            QCOMPARE(p.cell(i)->text(), QStringLiteral("0"));
            QCOMPARE(p.cell(i)->isEnabled(), i == 0 || i == 1 || i == 4 || i == 5);
        }
        QCOMPARE(p.columns->maximum(), 0);
        QCOMPARE(p.rows->maximum(), 0);
        // The order box takes digits only and corrects orders below 2.
        p.t.type(p.order, QStringLiteral("a-3"));
        QCOMPARE(p.order->text(), QStringLiteral("3"));
        p.t.leaveFocus();
        QCOMPARE(p.state.matrixStore.size(), 10u);
        QVERIFY(p.cell(10)->isEnabled());
        QVERIFY(!p.cell(3)->isEnabled());
        p.setOrder(1);
        QCOMPARE(p.order->text(), QStringLiteral("2"));
        QCOMPARE(p.t.ui.beeps, 1);
        QCOMPARE(p.state.matrixStore.size(), 5u);
        QVERIFY(!p.cell(10)->isEnabled());
    }

    void scrolledWindowMapsCellsToStoreIndices() {
        MatrixPage p;
        p.setOrder(6);
        QCOMPARE(p.columns->maximum(), 2);
        QCOMPARE(p.rows->maximum(), 2);
        for (int i = 0; i < 16; ++i) QVERIFY(p.cell(i)->isEnabled());
        p.enter(p.cell(10), QStringLiteral("8"));     // (2, 2) at the origin: index 14
        p.enter(p.cell(5), QStringLiteral("2*4+1"));  // (1, 1): index 7
        QCOMPARE(p.state.matrixStore[14], 8.0);
        QCOMPARE(p.cell(5)->text(), QStringLiteral("9"));
        p.columns->setValue(2);
        p.rows->setValue(1);
        // Cell 0 shows (1, 2), store index 8; cell 4 shows (2, 2) = 14.
        QCOMPARE(p.cell(4)->text(), QStringLiteral("8"));
        p.enter(p.cell(5), QStringLiteral("7"));
        QCOMPARE(p.state.matrixStore[15], 7.0);
        QCOMPARE(p.state.matrixStore[7], 9.0);
        p.columns->setValue(0);
        p.rows->setValue(0);
        QCOMPARE(p.cell(5)->text(), QStringLiteral("9"));
    }

    // Fifteen-digit number texts fit their cell whole; longer ones (an
    // exponent) show from their sign on.
    void cellsShowWholeNumberTexts() {
        MatrixPage p;
        p.setOrder(5);
        const struct {
            const char* formula;
            const char* shown;
            bool whole;
        } rows[] = {
            {"-1/3", "-0.333333333333333", true},
            {"-PI*1E13", "-31415926535897.9", true},
            {"1/7", "0.142857142857143", true},
            {"-2/3*1E-100", "-6.66666666666667E-101", false},
        };
        for (int i = 0; i < 4; ++i) p.enter(p.cell(i), QString::fromLatin1(rows[i].formula));
        p.columns->setValue(1);
        p.columns->setValue(0);
        for (int i = 0; i < 4; ++i) {
            QLineEdit* cell = p.cell(i);
            QCOMPARE(cell->text(), QString::fromLatin1(rows[i].shown));
            QCOMPARE(cell->cursorPosition(), 0);
            if (rows[i].whole)
                QVERIFY2(cell->fontMetrics().horizontalAdvance(cell->text()) + 10 <= cell->width(), rows[i].shown);
        }
    }

    void scrollingWhileACellHasTheFocusCommitsItFirst() {
        MatrixPage p;
        p.setOrder(5);
        p.t.type(p.cell(0), QStringLiteral("4"));  // still focused
        p.columns->setValue(1);
        QCOMPARE(p.state.matrixStore[0], 4.0);
        QCOMPARE(p.cell(0)->text(), QStringLiteral("0"));  // now (0, 1)
        // A bad formula keeps the window where it was.
        p.t.type(p.cell(0), QStringLiteral("1/0"));
        p.columns->setValue(0);
        QCOMPARE(p.t.ui.messages.last(), QStringLiteral("式子有问题"));
        QCOMPARE(p.columns->value(), 1);
        QCOMPARE(p.state.matrixStore[1], 0.0);
        p.enter(p.cell(0), QStringLiteral("6"));
        QCOMPARE(p.state.matrixStore[1], 6.0);
    }

    // A lower order reads the store in its own order; an overflow keeps the
    // last result; Clear empties cells and store.
    void determinantOverflowAndClear() {
        MatrixPage p;
        p.enterMatrix({{1, 2, 3}, {4, 5, 6}, {7, 8, 9}});
        p.setOrder(2);
        QCOMPARE(p.state.matrixStore, (Store{1, 2, 3, 4, 5}));
        p.click("Command28");
        QCOMPARE(p.result->text(), QStringLiteral("-2"));  // [[1, 2], [3, 4]]
        p.enterMatrix({{1e200, 1}, {1, 1e200}});
        p.click("Command28");
        QCOMPARE(p.result->text(), QStringLiteral("-2"));
        QCOMPARE(p.t.ui.messages, QStringList{QStringLiteral("数值溢出")});
        p.click("Command29");
        QCOMPARE(p.state.matrixStore, Store(5, 0.0));
        QCOMPARE(p.cell(1)->text(), QStringLiteral("0"));
    }

    void refusedNamesAndFailedSavesChangeNothing() {
        MatrixPage p;
        p.enterMatrix({{1, 2}, {3, 4}});
        p.saveAs(QStringLiteral("../escape"));
        QCOMPARE(p.t.ui.messages.last(),
                 QStringLiteral("矩阵名称不能含有 / \\ : * ? \" < > | 或控制字符，也不能只由点组成，请重新输入！"));
        QVERIFY(!QFile::exists(userDataDirectory() + "/../escape.kmx"));
        p.saveAs(QString());
        QCOMPARE(p.t.ui.messages.last(), QStringLiteral("请输入矩阵的名称！"));
        // A folder in the way of the file: the save fails and says so.
        QDir(userDataDirectory()).mkpath(QStringLiteral("blocked.kmx"));
        p.saveAs(QStringLiteral("blocked"));
        QCOMPARE(p.t.ui.messages.last(), QStringLiteral("矩阵保存失败，原来的文件没有改变！"));
        QCOMPARE(p.state.matrixStore, (Store{1, 2, 3, 4, 0}));
    }

    // Saving stays silent and overwrites; the button's tip then names the
    // file just written. A failed save leaves the tip as it was.
    void savingNamesTheFileInTheTip() {
        MatrixPage p;
        auto* save = p.t.find<QPushButton>("Command30");
        const QString hint = QStringLiteral("只有保存后才可以进行矩阵的乘法等计算");
        p.enterMatrix({{1, 2}, {3, 4}});
        for (const char* name : {"first", "second", "first"}) {
            p.saveAs(QString::fromLatin1(name));
            const QString path = QDir::toNativeSeparators(p.filePath(QString::fromLatin1(name)));
            QCOMPARE(save->toolTip(), QStringLiteral("已保存到 %1\n%2").arg(path, hint));
            QVERIFY(QFile::exists(p.filePath(QString::fromLatin1(name))));
        }
        QVERIFY(p.t.ui.messages.isEmpty());
        QDir(userDataDirectory()).mkpath(QStringLiteral("blocked.kmx"));
        p.saveAs(QStringLiteral("blocked"));
        QVERIFY(save->toolTip().contains(QStringLiteral("first.kmx")));
    }

    void productWithASavedMatrix() {
        MatrixPage p;
        p.enterMatrix({{0, 1}, {1, 0}});
        p.saveAs(QStringLiteral("swap"));
        QCOMPARE(p.t.find<QLabel>("Label58")->text(), QStringLiteral("swap"));
        p.enterMatrix({{1, 2}, {3, 4}});
        p.multiplyBy(QStringLiteral("swap"));
        QCOMPARE(p.state.matrixStore, (Store{2, 1, 4, 3, 0}));
        QCOMPARE(p.cell(0)->text(), QStringLiteral("2"));
        QCOMPARE(p.cell(5)->text(), QStringLiteral("3"));
        QVERIFY(p.t.ui.messages.isEmpty());
    }

    void productRefusesMissingWrongAndCorruptFiles() {
        MatrixPage p;
        p.enterMatrix({{1, 2}, {3, 4}});
        const Store before = p.state.matrixStore;
        struct Row {
            const char* name;
            QByteArray bytes;
            QString message;
        };
        const QString wrongCount = QStringLiteral("矩阵元素数目不对，请重新输入！");
        const QString corrupt = QStringLiteral("矩阵文件已损坏，无法读取！");
        const Row rows[] = {
            {"order3", fileBytes(9, std::vector<double>(10, 1.0)), wrongCount},
            {"negative", fileBytes(-4, {1, 2, 3, 4, 0}), wrongCount},
            {"notsquare", fileBytes(5, {1, 2, 3, 4, 5, 0}), wrongCount},
            {"short", fileBytes(4, {1, 2, 3}), corrupt},
            {"empty", QByteArray(), corrupt},
        };
        for (const Row& row : rows) {
            p.writeFile(QString::fromLatin1(row.name), row.bytes);
            p.multiplyBy(QString::fromLatin1(row.name));
            QCOMPARE(p.t.ui.messages.last(), row.message);
            QCOMPARE(p.state.matrixStore, before);
        }
        p.multiplyBy(QStringLiteral("nosuchmatrix"));
        QCOMPARE(p.t.ui.messages.last(), QStringLiteral("矩阵不存在，请重新输入！"));
        // A named pipe or a folder in place of the file is refused at once,
        // never waited for.
        QCOMPARE(::mkfifo(QFile::encodeName(p.filePath(QStringLiteral("pipe"))).constData(), 0600), 0);
        QVERIFY(QDir().mkpath(p.filePath(QStringLiteral("folder"))));
        for (const char* name : {"pipe", "folder"}) {
            p.multiplyBy(QString::fromLatin1(name));
            QCOMPARE(p.t.ui.messages.last(), QStringLiteral("这个名称的矩阵文件不是普通文件，无法读取！"));
        }
        p.multiplyBy(QString());
        QCOMPARE(p.t.ui.messages.last(), QStringLiteral("矩阵不存在，请重新输入！"));
        QCOMPARE(p.state.matrixStore, before);
    }

    void productResetsTheScrolledWindow() {
        MatrixPage p;
        p.setOrder(6);
        Store identity(37, 0.0);
        for (int i = 0; i < 6; ++i) identity[7 * i] = 1;
        p.writeFile(QStringLiteral("identity6"), fileBytes(36, identity));
        p.enter(p.cell(0), QStringLiteral("5"));
        p.columns->setValue(2);
        p.rows->setValue(1);
        p.multiplyBy(QStringLiteral("identity6"));
        QCOMPARE(p.columns->value(), 0);
        QCOMPARE(p.rows->value(), 0);
        QCOMPARE(p.cell(0)->text(), QStringLiteral("5"));
        QCOMPARE(p.state.matrixStore[0], 5.0);
    }

    // Eigenvalues, complex ones too, come in one message and leave the
    // matrix alone; the reduction replaces it.
    void eigenvaluesAndHessenbergReduction() {
        MatrixPage p;
        p.enterMatrix({{1, -2, 0}, {2, 1, 0}, {0, 0, 5}});
        const Store before = p.state.matrixStore;
        p.click("Command34");
        p.t.window->longWork().waitForIdle();
        QCOMPARE(p.t.ui.messages, QStringList{QStringLiteral("1+2i\n1-2i\n5")});
        QCOMPARE(p.state.matrixStore, before);
        p.enterMatrix({{1, 2, 3}, {4, 5, 6}, {7, 8, 10}});
        p.click("Command33");
        p.t.window->longWork().waitForIdle();
        QCOMPARE(p.state.matrixStore[6], 0.0);  // (3, 1)
        QCOMPARE(p.state.matrixStore[3], 7.0);  // pivot 7 moved up
        QCOMPARE(p.cell(4)->text(), QStringLiteral("7"));
        QCOMPARE(p.cell(9)->text(), QStringLiteral("0.53061224489796"));
    }

    void largeOrdersRunAsLongWork() {
        MatrixPage p;
        p.setOrder(40);
        Store diagonal(40 * 40 + 1, 0.0);
        for (int i = 0; i < 40; ++i) diagonal[41 * i] = i < 12 ? 2 : 1;
        p.state.matrixStore = diagonal;
        p.click("Command28");
        QTRY_COMPARE(p.result->text(), QStringLiteral("4096"));
        p.click("Command34");
        QTRY_COMPARE(p.t.ui.messages.size(), 1);
        QCOMPARE(p.t.ui.messages.first().split('\n').size(), 40);
        QCOMPARE(p.t.ui.messages.first().count(QStringLiteral("2")), 12);
    }

    void pendingOrderChangeIsFinishedFromOutside() {
        MatrixPage p;
        QVERIFY(p.state.finishPendingMatrixOrderChange);
        p.state.finishPendingMatrixOrderChange();  // nothing pending
        QCOMPARE(p.state.matrixStore.size(), 5u);
        p.t.type(p.order, QStringLiteral("3"));  // the focus stays in the box
        p.state.finishPendingMatrixOrderChange();
        QCOMPARE(p.state.matrixStore.size(), 10u);
    }
};

QTEST_MAIN(MatrixPagesTest)
#include "test_matrix_pages.moc"
