// Frame17, Frame18 and Frame21 as only the window has them: the scrolled
// matrix grid, order changes, saving and reading matrix files, and which
// results land in the cells. The numbers themselves are golden cases.
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
    // Clicks a button and waits for the work it started.
    void click(const char* button) {
        QTest::mouseClick(t.find<QPushButton>(button), Qt::LeftButton);
        t.window->longWork().waitForIdle();
    }
    QString filePath(const QString& matrixName) { return userDataDirectory() + "/" + matrixName + ".kmx"; }
    void writeFile(const QString& matrixName, const QByteArray& bytes) {
        QFile file(filePath(matrixName));
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(bytes);
    }
    void saveAs(const QString& matrixName) {
        enter(t.edit("Text55"), matrixName);
        click("Command30");
    }
    void multiplyBy(const QString& matrixName) {
        enter(t.edit("Text56"), matrixName);
        click("Command31");
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
    void orderBoxResizesTheGrid() {
        MatrixPage p;
        QCOMPARE(p.state.matrixStore, Store(5, 0.0));
        for (int i = 0; i < 16; ++i) QCOMPARE(p.cell(i)->isEnabled(), i % 4 < 2 && i < 8);
        QCOMPARE(p.columns->maximum(), 0);
        // The order box takes digits only and corrects orders below 2.
        p.t.type(p.order, QStringLiteral("a-3"));
        QCOMPARE(p.order->text(), QStringLiteral("3"));
        p.t.leaveFocus();
        QCOMPARE(p.state.matrixStore.size(), 10u);
        QVERIFY(p.cell(10)->isEnabled() && !p.cell(3)->isEnabled());
        p.setOrder(1);
        QCOMPARE(p.order->text(), QStringLiteral("2"));
        QCOMPARE(p.t.ui.beeps, 1);
        QCOMPARE(p.state.matrixStore.size(), 5u);
    }

    // The 4 × 4 window over an order-6 matrix (walked by keys in the
    // reading tests): a focused cell is committed before the bars move the
    // window, and a product puts the window back at the corner.
    void scrolledWindowCommitsAndResets() {
        MatrixPage p;
        p.setOrder(6);
        QCOMPARE(p.columns->maximum(), 2);
        QCOMPARE(p.rows->maximum(), 2);
        p.columns->setValue(2);
        p.rows->setValue(1);
        p.t.type(p.cell(5), QStringLiteral("7"));  // (2, 3), still focused
        p.columns->setValue(1);
        QCOMPARE(p.state.matrixStore[15], 7.0);
        Store identity(37, 0.0);
        for (int i = 0; i < 6; ++i) identity[7 * i] = 1;
        p.writeFile(QStringLiteral("identity6"), fileBytes(36, identity));
        p.multiplyBy(QStringLiteral("identity6"));
        QCOMPARE(p.columns->value(), 0);
        QCOMPARE(p.rows->value(), 0);
        QCOMPARE(p.cell(11)->text(), QStringLiteral("7"));
        QVERIFY(p.t.ui.messages.isEmpty());
    }

    // Cells show the whole number text, and fifteen digits fit the cell
    // (where longer texts start is checked for every box in the reading tests).
    void cellsShowWholeNumberTexts() {
        MatrixPage p;
        p.enter(p.cell(0), QStringLiteral("-1/3"));
        p.enter(p.cell(1), QStringLiteral("-2/3*1E-100"));
        p.t.expectShown({{"Text52_0", "-0.333333333333333"}, {"Text52_1", "-6.66666666666667E-101"}});
        QVERIFY(p.cell(0)->fontMetrics().horizontalAdvance(p.cell(0)->text()) + 10 <= p.cell(0)->width());
    }

    // An overflow keeps the last result; Clear empties cells and store.
    void determinantOverflowAndClear() {
        MatrixPage p;
        p.enterMatrix({{1, 2}, {3, 4}});
        p.click("Command28");
        QCOMPARE(p.result->text(), QStringLiteral("-2"));
        p.enterMatrix({{1e200, 1}, {1, 1e200}});
        p.click("Command28");
        QCOMPARE(p.result->text(), QStringLiteral("-2"));
        QCOMPARE(p.t.ui.messages, QStringList{QStringLiteral("数值溢出")});
        p.click("Command29");
        QCOMPARE(p.state.matrixStore, Store(5, 0.0));
        QCOMPARE(p.cell(1)->text(), QStringLiteral("0"));
    }

    // Saving stays silent and overwrites; the button's tip then names the
    // file just written. Refused names and failed saves change nothing.
    void savingNamesTheFileInTheTip() {
        MatrixPage p;
        auto* save = p.t.find<QPushButton>("Command30");
        p.enterMatrix({{1, 2}, {3, 4}});
        for (const char* name : {"first", "second", "first"}) {
            p.saveAs(QString::fromLatin1(name));
            const QString path = QDir::toNativeSeparators(p.filePath(QString::fromLatin1(name)));
            QCOMPARE(save->toolTip(), QStringLiteral("已保存到 %1\n只有保存后才可以进行矩阵的乘法等计算").arg(path));
            QVERIFY(QFile::exists(p.filePath(QString::fromLatin1(name))));
        }
        QCOMPARE(p.t.find<QLabel>("Label58")->text(), QStringLiteral("first"));
        QVERIFY(p.t.ui.messages.isEmpty());
        QDir(userDataDirectory()).mkpath(QStringLiteral("blocked.kmx"));
        const std::pair<const char*, QString> refused[] = {
            {"../escape",
             QStringLiteral("矩阵名称不能含有 / \\ : * ? \" < > | 或控制字符，也不能只由点组成，请重新输入！")},
            {"", QStringLiteral("请输入矩阵的名称！")},
            {"blocked", QStringLiteral("矩阵保存失败，原来的文件没有改变！")},
        };
        for (const auto& [name, message] : refused) {
            p.t.ui.messages.clear();
            p.saveAs(QString::fromLatin1(name));
            QCOMPARE(p.t.ui.messages, QStringList{message});
        }
        QVERIFY(!QFile::exists(userDataDirectory() + "/../escape.kmx"));
        QVERIFY(save->toolTip().contains(QStringLiteral("first.kmx")));
        QCOMPARE(p.state.matrixStore, (Store{1, 2, 3, 4, 0}));
    }

    void productWithASavedMatrix() {
        MatrixPage p;
        p.enterMatrix({{0, 1}, {1, 0}});
        p.saveAs(QStringLiteral("swap"));
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
        const QString wrongCount = QStringLiteral("矩阵元素数目不对，请重新输入！");
        const QString corrupt = QStringLiteral("矩阵文件已损坏，无法读取！");
        const QString missing = QStringLiteral("矩阵不存在，请重新输入！");
        // A named pipe in place of the file is refused at once, never waited for.
        QCOMPARE(::mkfifo(QFile::encodeName(p.filePath(QStringLiteral("pipe"))).constData(), 0600), 0);
        const struct {
            const char* name;
            std::optional<QByteArray> bytes;
            QString message;
        } rows[] = {
            {"order3", fileBytes(9, std::vector<double>(10, 1.0)), wrongCount},
            {"negative", fileBytes(-4, {1, 2, 3, 4, 0}), wrongCount},
            {"notsquare", fileBytes(5, {1, 2, 3, 4, 5, 0}), wrongCount},
            {"short", fileBytes(4, {1, 2, 3}), corrupt},
            {"empty", QByteArray(), corrupt},
            {"nosuchmatrix", std::nullopt, missing},
            {"", std::nullopt, missing},
            {"pipe", std::nullopt, QStringLiteral("这个名称的矩阵文件不是普通文件，无法读取！")},
        };
        for (const auto& row : rows) {
            if (row.bytes) p.writeFile(QString::fromLatin1(row.name), *row.bytes);
            p.t.ui.messages.clear();
            p.multiplyBy(QString::fromLatin1(row.name));
            QVERIFY2(p.t.ui.messages == QStringList{row.message}, row.name);
            QCOMPARE(p.state.matrixStore, before);
        }
    }

    // Eigenvalues come in one message and leave the matrix alone; the
    // reduction replaces it.
    void eigenvaluesAndHessenbergReduction() {
        MatrixPage p;
        p.enterMatrix({{1, -2, 0}, {2, 1, 0}, {0, 0, 5}});
        const Store before = p.state.matrixStore;
        p.click("Command34");
        QCOMPARE(p.t.ui.messages, QStringList{QStringLiteral("1+2i\n1-2i\n5")});
        QCOMPARE(p.state.matrixStore, before);
        p.enterMatrix({{1, 2, 3}, {4, 5, 6}, {7, 8, 10}});
        p.click("Command33");
        QCOMPARE(p.cell(4)->text(), QStringLiteral("7"));
        QCOMPARE(p.cell(9)->text(), QStringLiteral("0.53061224489796"));
    }
};

QTEST_MAIN(MatrixPagesTest)
#include "test_matrix_pages.moc"
