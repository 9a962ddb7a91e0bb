#include "gui_test_support.h"

#include <QApplication>
#include <QTabWidget>
#include <QTemporaryDir>

#include "app/long_work.h"

namespace {
QTemporaryDir& userDirectory() {
    static QTemporaryDir directory;
    return directory;
}
}  // namespace

TestWindow::TestWindow() {
    qputenv("NUMERELLE_USER_DIR", userDirectory().path().toLocal8Bit());
    window = std::make_unique<MainForm>(ui);
    window->show();
    window->activateWindow();
    QApplication::setActiveWindow(window.get());
    if (!QTest::qWaitForWindowActive(window.get())) qWarning("the test window did not become active");
}

TestWindow::~TestWindow() {
    window->longWork().cancel();
    window->longWork().waitForIdle();
}

void TestWindow::showTabOf(QWidget* widget) {
    QTabWidget* tabs = window->tabs();
    for (int i = 0; i < tabs->count(); ++i) {
        if (tabs->widget(i)->isAncestorOf(widget)) {
            tabs->setCurrentIndex(i);
            break;
        }
    }
    QApplication::processEvents();
}

void TestWindow::type(QLineEdit* box, const QString& text) {
    showTabOf(box);
    box->setFocus(Qt::MouseFocusReason);
    QApplication::processEvents();
    box->selectAll();
    if (text.isEmpty()) QTest::keyClick(box, Qt::Key_Backspace);
    else QTest::keyClicks(box, text);
}

void TestWindow::leaveFocus() {
    // The tab bar takes the focus without running any page handler.
    QWidget* neutral = window->tabs();
    neutral->setFocusPolicy(Qt::StrongFocus);
    neutral->setFocus(Qt::TabFocusReason);
    QApplication::processEvents();
}
