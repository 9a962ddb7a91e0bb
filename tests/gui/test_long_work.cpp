// The long-work runner: work off the UI thread, busy cursor, a progress
// dialog with Cancel for long jobs, results applied on the UI thread.
#include <QApplication>
#include <QProgressDialog>
#include <QPushButton>
#include <QTest>
#include <QThread>
#include <atomic>
#include <thread>

#include "app/long_work.h"
#include "gui_test_support.h"

class LongWorkTest : public QObject {
    Q_OBJECT

private slots:
    void workThatThrowsIsReportedAndLeavesTheBoxes() {
        QWidget window;
        RecordingUiServices ui;
        LongWorkRunner runner(&window, &ui);
        struct Row { const char* name; std::function<void()> fail; const char* message; };
        const Row rows[] = {
            {"out of memory", [] { throw std::bad_alloc(); }, "内存不够，无法完成计算"},
            {"other failure", [] { throw std::length_error("too long"); }, "计算时出了错，无法完成"},
        };
        for (const Row& row : rows) {
            ui.messages.clear();
            bool applied = false;
            bool cancelled = false;
            QVERIFY(runner.start(QString::fromLatin1(row.name), [&](numerelle::WorkControl&) { row.fail(); },
                                 [&](bool wasCancelled) {
                                     applied = true;
                                     cancelled = wasCancelled;
                                 }));
            runner.waitForIdle();
            QVERIFY(applied);
            QVERIFY(cancelled);
            QCOMPARE(ui.messages, QStringList({QString::fromUtf8(row.message)}));
            QVERIFY(!QApplication::overrideCursor());
        }
    }

    void shortWorkAppliesOnTheUiThreadWithoutADialog() {
        QWidget window;
        LongWorkRunner runner(&window);
        std::atomic<bool> ranElsewhere{false};
        const auto uiThread = QThread::currentThread();
        int result = 0;
        bool appliedOnUi = false;
        QVERIFY(runner.start(QStringLiteral("short"),
                             [&](numerelle::WorkControl&) { ranElsewhere = QThread::currentThread() != uiThread; },
                             [&](bool cancelled) {
                                 QVERIFY(!cancelled);
                                 appliedOnUi = QThread::currentThread() == uiThread;
                                 result = 42;
                             }));
        QVERIFY(runner.busy());
        QCOMPARE(QApplication::overrideCursor() ? QApplication::overrideCursor()->shape() : Qt::ArrowCursor,
                 Qt::WaitCursor);
        runner.waitForIdle();
        QCOMPARE(result, 42);
        QVERIFY(ranElsewhere);
        QVERIFY(appliedOnUi);
        QVERIFY(!QApplication::overrideCursor());
        QVERIFY(!window.findChild<QProgressDialog*>());
    }

    void longWorkShowsProgressAndCanBeCancelled() {
        QWidget window;
        window.show();
        LongWorkRunner runner(&window);
        runner.setProgressDelayMs(100);
        bool sawCancel = false;
        bool appliedCancelled = false;
        QVERIFY(runner.start(
            QStringLiteral("long"),
            [&](numerelle::WorkControl& control) {
                for (int i = 0; i < 1000 && !control.cancelled(); ++i) {
                    control.setProgress(i / 1000.0);
                    std::this_thread::sleep_for(std::chrono::milliseconds(10));
                }
                sawCancel = control.cancelled();
            },
            [&](bool cancelled) { appliedCancelled = cancelled; }));
        // A second job is refused while one runs.
        QVERIFY(!runner.start(QStringLiteral("second"), [](numerelle::WorkControl&) {}, [](bool) {}));
        // The dialog opens and advances through the UI thread's event loop
        // while the worker runs: the window stays responsive.
        QProgressDialog* dialog = nullptr;
        QTRY_VERIFY((dialog = window.findChild<QProgressDialog*>()) && dialog->isVisible());
        QTRY_VERIFY(dialog->value() > 0);
        QPushButton* cancel = dialog->findChild<QPushButton*>();
        QVERIFY(cancel);
        QCOMPARE(cancel->text(), QStringLiteral("取消"));
        cancel->click();
        runner.waitForIdle();
        QVERIFY(sawCancel);
        QVERIFY(appliedCancelled);
        QVERIFY(!runner.busy());
        QVERIFY(!QApplication::overrideCursor());
    }
};

QTEST_MAIN(LongWorkTest)
#include "test_long_work.moc"
