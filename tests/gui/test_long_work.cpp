// The long-work runner: work off the UI thread, busy cursor, a progress
// dialog with Cancel for long jobs, results applied on the UI thread.
#include <QProgressDialog>
#include <QThread>
#include <atomic>
#include <thread>

#include "gui_test_support.h"

// A failed check returns early; the gated job must still end, or the
// runner's destructor waits for it for ever.
struct ReleaseOnExit {
    std::atomic<bool>& release;
    ~ReleaseOnExit() { release = true; }
};

class LongWorkTest : public QObject {
    Q_OBJECT

private slots:
    void workThatThrowsIsReportedAndLeavesTheBoxes() {
        QWidget window;
        RecordingUiServices ui;
        LongWorkRunner runner(&window, &ui);
        struct Row {
            const char* name;
            std::function<void()> fail;
            const char* message;
        };
        const Row rows[] = {
            {"out of memory", [] { throw std::bad_alloc(); }, "内存不够"},
            {"other failure", [] { throw std::length_error("too long"); }, "计算时出了错，无法完成"},
        };
        for (const Row& row : rows) {
            ui.messages.clear();
            bool applied = false;
            bool cancelled = false;
            QVERIFY(runner.start(
                QString::fromLatin1(row.name), [&](numerelle::WorkControl&) { row.fail(); },
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
        QVERIFY(runner.start(
            QStringLiteral("short"),
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

    void pageTakesNoInputFromTheMomentAJobStarts() {
        QWidget window;
        auto* page = new QWidget(&window);
        auto* box = new QLineEdit(page);
        auto* button = new QPushButton(QStringLiteral("="), page);
        button->move(0, 40);
        auto* elsewhere = new QLineEdit(&window);
        elsewhere->move(0, 120);
        window.resize(300, 200);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        RecordingUiServices ui;
        LongWorkRunner runner(&window, &ui);
        runner.setPageOfJob([page] { return page; });
        runner.setProgressDelayMs(60000);
        int presses = 0;
        QObject::connect(button, &QPushButton::clicked, [&] { ++presses; });
        box->setFocus();
        QTRY_VERIFY(box->hasFocus());

        std::atomic<bool> release{false};
        const ReleaseOnExit releaseOnFailure{release};
        QVERIFY(runner.start(
            QStringLiteral("gated"),
            [&](numerelle::WorkControl&) {
                while (!release) std::this_thread::sleep_for(std::chrono::milliseconds(2));
            },
            [](bool) {}));
        // At once, before the page is shown disabled: typing and clicks are
        // swallowed, each press with a beep; the rest of the window works.
        QVERIFY(page->isEnabled());
        QTest::keyClicks(box, QStringLiteral("12"));
        QTest::mouseClick(button, Qt::LeftButton);
        QCOMPARE(box->text(), QString());
        QCOMPARE(presses, 0);
        QCOMPARE(ui.beeps, 3);
        // A second job is refused with a beep and never runs.
        bool secondRan = false;
        QVERIFY(!runner.start(
            QStringLiteral("second"), [&](numerelle::WorkControl&) { secondRan = true; },
            [&](bool) { secondRan = true; }));
        QCOMPARE(ui.beeps, 4);
        QTest::keyClicks(elsewhere, QStringLiteral("ok"));
        QCOMPARE(elsewhere->text(), QStringLiteral("ok"));
        // A job that lasts shows its page disabled.
        QTRY_VERIFY(!page->isEnabled());

        release = true;
        runner.waitForIdle();
        QVERIFY(page->isEnabled());
        QTRY_VERIFY(box->hasFocus());  // where it was when the job started
        QTest::keyClicks(box, QStringLiteral("7"));
        QCOMPARE(box->text(), QStringLiteral("7"));
        QTest::mouseClick(button, Qt::LeftButton);
        QCOMPARE(presses, 1);
        QVERIFY(!secondRan);
        // Idle again: a job starts without a beep.
        QVERIFY(runner.start(
            QStringLiteral("third"), [](numerelle::WorkControl&) {}, [](bool) {}));
        runner.waitForIdle();
        QCOMPARE(ui.beeps, 4);
    }
};

QTEST_MAIN(LongWorkTest)
#include "test_long_work.moc"
