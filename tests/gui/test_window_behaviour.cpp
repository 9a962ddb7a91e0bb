// The window as a whole: closing it whatever is open in front of it, the
// keys of the window, tab changes against a failing formula field, and the
// toolkit's own texts.
#include <QDialogButtonBox>
#include <QElapsedTimer>
#include <QProgressDialog>
#include <QTabBar>
#include <QTabWidget>
#include <QTimer>
#include <QWheelEvent>
#include <functional>

#include "app/toolkit_translation.h"
#include "gui_test_support.h"

namespace {

// A window whose boxes are the program's real modal boxes.
struct RealBoxWindow {
    QtUiServices boxes;
    TestWindow t{&boxes};
};

enum class CloseBy { WindowClose, CtrlQ };

// Sends the close request to the window, or Ctrl+Q to what is in front of it.
void requestClose(MainForm& window, CloseBy by) {
    if (by == CloseBy::WindowClose) {
        window.close();
        return;
    }
    QWidget* front = QApplication::activeModalWidget();
    if (!front) front = QApplication::activePopupWidget();
    QTest::keyClick(front ? front : &window, Qt::Key_Q, Qt::ControlModifier);
}

const char* closeName(CloseBy by) {
    return by == CloseBy::WindowClose ? "window close" : "Ctrl+Q";
}

// Each modal box that opens while `open` runs, by class; the first is asked
// to close the window as soon as it shows. Returns the milliseconds from
// that request until `open` came back (the box's event loop ended).
qint64 closeWhileABoxIsOpen(MainForm& window, CloseBy by, const std::function<void()>& open, QStringList& seen) {
    QElapsedTimer sinceRequest;
    QWidget* last = nullptr;
    QTimer watch;
    watch.setInterval(10);
    QObject::connect(&watch, &QTimer::timeout, [&] {
        QWidget* box = QApplication::activeModalWidget();
        if (!box || box == last) return;
        last = box;
        seen << QString::fromLatin1(box->metaObject()->className());
        if (!sinceRequest.isValid()) {
            sinceRequest.start();
            requestClose(window, by);
        }
    });
    // A box that outlives the close would hang the test: end it.
    QTimer rescue;
    rescue.setInterval(2000);
    QObject::connect(&rescue, &QTimer::timeout, [] {
        if (auto* box = qobject_cast<QDialog*>(QApplication::activeModalWidget())) box->reject();
    });
    watch.start();
    rescue.start();
    open();
    return sinceRequest.isValid() ? sinceRequest.elapsed() : -1;
}

QStringList buttonTexts(QWidget* box) {
    QStringList texts;
    if (auto* buttons = box->findChild<QDialogButtonBox*>())
        for (QAbstractButton* button : buttons->buttons()) texts << button->text();
    texts.sort();
    return texts;
}

}  // namespace

class WindowBehaviourTest : public QObject {
    Q_OBJECT

private slots:
    // A close request with a box open dismisses it, opens no further box
    // (the "(2" formula has two messages), and ends within half a second.
    void closingDismissesTheOpenBox() {
        struct Row {
            const char* name;
            const char* box;
            std::function<void(RealBoxWindow&)> open;
        };
        const Row rows[] = {
            {"message box", "QMessageBox",
             [](RealBoxWindow& w) {
                 w.t.edit("Text64")->setText(QStringLiteral("(2"));
                 w.t.click("Command37");
             }},
            {"input box", "QInputDialog", [](RealBoxWindow& w) { w.t.click("Option10_0"); }},
        };
        for (CloseBy by : {CloseBy::WindowClose, CloseBy::CtrlQ}) {
            for (const Row& row : rows) {
                const QString context =
                    QStringLiteral("%1, %2").arg(QLatin1String(row.name), QLatin1String(closeName(by)));
                RealBoxWindow w;
                QStringList seen;
                const qint64 ms = closeWhileABoxIsOpen(
                    *w.t.window, by, [&] { row.open(w); }, seen);
                QVERIFY2(seen == QStringList{QString::fromLatin1(row.box)},
                         qPrintable(context + QStringLiteral(": boxes ") + seen.join(u' ')));
                QVERIFY2(ms >= 0 && ms < 500, qPrintable(context + QStringLiteral(": %1 ms").arg(ms)));
                QVERIFY2(!w.t.window->isVisible(), qPrintable(context));
                QVERIFY2(!QApplication::activeModalWidget(), qPrintable(context));
            }
        }
    }

    // A running job blocks its tab (typing there is swallowed) and shows its
    // progress dialog; the close cancels it and the window is gone within
    // half a second, the job finished.
    void closingCancelsARunningJob() {
        for (CloseBy by : {CloseBy::WindowClose, CloseBy::CtrlQ}) {
            RealBoxWindow w;
            MainForm& window = *w.t.window;
            window.longWork().setProgressDelayMs(100);
            QLineEdit* formula = w.t.edit("Text19");
            formula->setText(QStringLiteral("x"));
            w.t.edit("Text21_0")->setText(QStringLiteral("1000000000000"));
            w.t.click("Command14");
            QVERIFY(window.longWork().busy());
            QTest::keyClicks(formula, QStringLiteral("9"));
            QCOMPARE(formula->text(), QStringLiteral("x"));
            QTRY_VERIFY(!window.tabs()->currentWidget()->isEnabled());
            QProgressDialog* dialog = nullptr;
            QTRY_VERIFY((dialog = window.findChild<QProgressDialog*>()) && dialog->isVisible());
            QElapsedTimer clock;
            clock.start();
            requestClose(window, by);
            QTRY_VERIFY_WITH_TIMEOUT(!window.isVisible() && !window.longWork().busy(), 2000);
            QVERIFY2(clock.elapsed() < 500,
                     qPrintable(QStringLiteral("%1: %2 ms").arg(closeName(by)).arg(clock.elapsed())));
        }
    }

    // Every way of changing tabs by hand first commits the focused formula
    // field; a failing one keeps its page, shows its message over it and
    // keeps the focus. Once the formula is good the change goes ahead.
    void aFailingFieldKeepsItsTab() {
        struct Row {
            const char* name;
            std::function<void(TestWindow&, QLineEdit*)> change;
            int target;  // the tab the change goes to (-1: any other)
        };
        const auto wheel = [](TestWindow& t, QLineEdit*) {
            QTabBar* bar = t.window->tabs()->tabBar();
            const QPoint at = bar->tabRect(bar->currentIndex()).center();
            QWheelEvent turn(at, bar->mapToGlobal(at), QPoint(), QPoint(0, -120), Qt::NoButton, Qt::NoModifier,
                             Qt::NoScrollPhase, false);
            QApplication::sendEvent(bar, &turn);
        };
        const Row rows[] = {
            {"click on a tab",
             [](TestWindow& t, QLineEdit*) {
                 QTabBar* bar = t.window->tabs()->tabBar();
                 QTest::mouseClick(bar, Qt::LeftButton, Qt::NoModifier, bar->tabRect(2).center());
             },
             2},
            {"Ctrl+Tab", [](TestWindow&, QLineEdit* box) { QTest::keyClick(box, Qt::Key_Tab, Qt::ControlModifier); },
             8},
            {"Ctrl+Shift+Tab",
             [](TestWindow&, QLineEdit* box) {
                 QTest::keyClick(box, Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier);
             },
             6},
            {"F1", [](TestWindow&, QLineEdit* box) { QTest::keyClick(box, Qt::Key_F1); }, 9},
            {"wheel on the tab bar", wheel, -1},
        };
        for (const Row& row : rows) {
            const QString name = QString::fromLatin1(row.name);
            TestWindow t;
            QTabWidget* tabs = t.window->tabs();
            QLineEdit* box = t.edit(QStringLiteral("Text16"));  // a formula field of the units tab
            t.type(box, QStringLiteral("1/0"));
            const int own = tabs->currentIndex();
            QCOMPARE(own, 7);
            int tabWhenShown = -1;
            t.ui.onMessage = [&](const QString&) { tabWhenShown = tabs->currentIndex(); };
            row.change(t, box);
            QVERIFY2(t.ui.messages == QStringList{QStringLiteral("式子有问题")}, qPrintable(name));
            QVERIFY2(tabWhenShown == own, qPrintable(name));
            QVERIFY2(tabs->currentIndex() == own, qPrintable(name));
            QTRY_VERIFY2(box->hasFocus(), qPrintable(name));
            QCOMPARE(box->text(), QStringLiteral("1/0"));

            box->selectAll();
            QTest::keyClicks(box, QStringLiteral("2*3"));
            row.change(t, box);
            QCOMPARE(t.ui.messages.size(), 1);
            QCOMPARE(box->text(), QStringLiteral("6"));
            if (row.target >= 0) QVERIFY2(tabs->currentIndex() == row.target, qPrintable(name));
            else QVERIFY2(tabs->currentIndex() != own, qPrintable(name));
        }
    }

    // F1 opens the help without a box in focus; Ctrl+Q closes the window
    // from a box.
    void keysOfTheWindow() {
        TestWindow t;
        t.window->tabs()->setCurrentIndex(3);
        QTest::keyClick(t.window.get(), Qt::Key_F1);
        QCOMPARE(t.window->tabs()->currentWidget()->objectName(), QStringLiteral("tabHelp"));
        t.type(t.edit(QStringLiteral("Text64")), QStringLiteral("1+1"));
        QTest::keyClick(t.edit(QStringLiteral("Text64")), Qt::Key_Q, Qt::ControlModifier);
        QVERIFY(!t.window->isVisible());
        QVERIFY(t.ui.messages.isEmpty());
    }

    // A message box carries the program's name as its title, with room for
    // all of it beside the window manager's icon and buttons; with Qt's
    // Chinese translation installed its button reads "确定".
    void messageBoxesShowTheWholeName() {
        const bool translated = installToolkitTranslation(*QCoreApplication::instance());
        QApplication::setApplicationDisplayName(QStringLiteral("Numerelle"));
        RealBoxWindow w;
        QStringList buttons;
        QString title;
        int width = 0;
        QTimer::singleShot(50, [&] {
            QWidget* box = QApplication::activeModalWidget();
            if (!box) return;
            buttons = buttonTexts(box);
            title = box->windowTitle();
            width = box->width();
            qobject_cast<QDialog*>(box)->reject();
        });
        w.boxes.message(w.t.window.get(), QStringLiteral("式子有问题"));
        QCOMPARE(title, QStringLiteral("Numerelle"));
        const QFontMetrics titleFont(QApplication::font("QMdiSubWindowTitleBar"));
        QVERIFY2(width >= titleFont.horizontalAdvance(title) + 120, qPrintable(QString::number(width)));
        if (translated) QCOMPARE(buttons, QStringList{QStringLiteral("确定")});
    }
};

QTEST_MAIN(WindowBehaviourTest)
#include "test_window_behaviour.moc"
