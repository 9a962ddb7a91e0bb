#include "gui_test_support.h"

#include "widgets/result_view.h"

#include <QAbstractButton>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QStringEncoder>
#include <QTabWidget>

namespace {
QTemporaryDir& userDirectory() {
    static QTemporaryDir directory;
    return directory;
}
}  // namespace

TestWindow::TestWindow(UiServices* boxes) {
    qputenv("NUMERELLE_USER_DIR", userDirectory().path().toLocal8Bit());
    window = std::make_unique<MainForm>(boxes ? *boxes : ui);
    // The offscreen screen is 800 × 600, smaller than the window's first size
    // on a desktop; the pages are tested at that size.
    window->resize(980, 640);
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

void TestWindow::enter(QLineEdit* box, const QString& text) {
    type(box, text);
    leaveFocus();
}

void TestWindow::fill(std::initializer_list<std::pair<const char*, const char*>> boxes) {
    for (const auto& [name, text] : boxes) type(edit(QString::fromLatin1(name)), QString::fromUtf8(text));
    leaveFocus();
}

void TestWindow::click(const QString& buttonName) {
    auto* button = find<QAbstractButton>(buttonName);
    if (!button) return;
    showTabOf(button);
    QTest::mouseClick(button, Qt::LeftButton);
}

namespace {
QString shownText(const QWidget* widget) {
    if (auto* box = qobject_cast<const QLineEdit*>(widget)) return box->text();
    if (auto* label = qobject_cast<const QLabel*>(widget)) return label->text();
    if (auto* button = qobject_cast<const QAbstractButton*>(widget)) return button->text();
    if (auto* frame = qobject_cast<const QGroupBox*>(widget)) return frame->title();
    if (auto* text = qobject_cast<const QPlainTextEdit*>(widget)) return text->toPlainText();
    if (auto* view = qobject_cast<const ResultView*>(widget)) return view->text();
    return QStringLiteral("<no text>");
}
}  // namespace

void TestWindow::expectShown(std::initializer_list<std::pair<const char*, const char*>> controls) const {
    for (const auto& [name, expected] : controls) {
        const QWidget* widget = find(QString::fromLatin1(name));
        const QString shown = widget ? shownText(widget) : QStringLiteral("<missing>");
        QVERIFY2(shown == QString::fromUtf8(expected),
                 qPrintable(QStringLiteral("%1 shows \"%2\"").arg(QLatin1String(name), shown)));
    }
}

DataDirectory::DataDirectory() {
    QDir(directory.path()).mkpath(QStringLiteral("dw"));
    qputenv("NUMERELLE_DATA_DIR", directory.path().toLocal8Bit());
}

DataDirectory::~DataDirectory() {
    qputenv("NUMERELLE_DATA_DIR", previous);
}

void DataDirectory::write(const QString& relative, const QString& content) const {
    QFile file(path(relative));
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QStringEncoder encoder("GB18030");
    file.write(encoder.encode(content));
}
