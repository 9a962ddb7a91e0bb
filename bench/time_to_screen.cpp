// How long a big result takes to reach the screen, beside how long the
// command line takes for the same work. For each case, in turn: the page's
// button is clicked in an offscreen window and the clock stops at the first
// paint of the result box that shows the new result; then numerelle-cli runs
// the same computation as a whole process (output to /dev/null). Also timed
// once the result is shown: copying all of it, and a repaint after a jump
// to the middle and after a resize.
//
//   time_to_screen [repeats]      (numerelle-cli is looked for beside it)
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QScrollBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <random>
#include <vector>

#include "app/main_form.h"
#include "widgets/number_box.h"
#include "widgets/long_work.h"
#include "widgets/result_view.h"
#include "widgets/ui_services.h"

namespace {

struct Case {
    const char* name;
    std::vector<std::pair<const char*, QString>> inputs;  // box, text
    const char* button;
    const char* result;
    QStringList cliArguments;
};

// Stops the clock at the first paint that shows a result of `expected` characters.
class PaintWatch final : public QObject {
public:
    PaintWatch(ResultView* view, QElapsedTimer& clock) : view_(view), clock_(clock) {
        view->viewport()->installEventFilter(this);
    }
    qint64 shownAfterNs = -1;
    qsizetype expected = -1;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::Paint || inside_ || shownAfterNs >= 0 || view_->text().size() != expected)
            return false;
        inside_ = true;
        QApplication::sendEvent(watched, event);  // paint now, then read the clock
        inside_ = false;
        shownAfterNs = clock_.nsecsElapsed();
        return true;
    }

private:
    ResultView* view_;
    QElapsedTimer& clock_;
    bool inside_ = false;
};

QString randomDigits(qsizetype count, unsigned seed) {
    std::mt19937 random(seed);
    QString digits(count, u'0');
    for (qsizetype i = 0; i < count; ++i) digits[i] = QChar(u'0' + static_cast<char16_t>(random() % 10));
    if (count > 0) digits[0] = u'7';
    return digits;
}

void showTabOf(MainForm& window, QWidget* widget) {
    QTabWidget* tabs = window.tabs();
    for (int i = 0; i < tabs->count(); ++i)
        if (tabs->widget(i)->isAncestorOf(widget)) tabs->setCurrentIndex(i);
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

double cliSeconds(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.setStandardOutputFile(QProcess::nullDevice());
    QElapsedTimer clock;
    clock.start();
    process.start(program, arguments);
    process.waitForFinished(-1);
    return clock.nsecsElapsed() / 1e9;
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int repeats = argc > 1 ? std::max(1, std::atoi(argv[1])) : 3;
    const QString cli = QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("../numerelle-cli"));

    QTemporaryDir files;
    const auto writeOperand = [&files](const QString& name, const QString& digits) {
        QFile file(files.filePath(name));
        if (!file.open(QIODevice::WriteOnly)) return QString();
        file.write(digits.toLatin1());
        return u'@' + file.fileName();
    };
    const QString million1 = randomDigits(1'000'000, 1), million2 = randomDigits(1'000'000, 2);
    const QString tenMillion1 = randomDigits(10'000'000, 3), tenMillion2 = randomDigits(10'000'000, 4);
    const std::vector<Case> cases = {
        {"99999!", {{"Text5_0", "99999"}}, "Command4", "Text6", {"fact", "99999"}},
        {"7^1000000", {{"Text8", "7"}, {"Text5_1", "1000000"}}, "Command6", "Text9", {"pow", "7", "1000000"}},
        {"10^6 x 10^6 digits",
         {{"Text1_4", million1}, {"Text1_5", million2}},
         "Command3",
         "Text4",
         {"mul", writeOperand("m1", million1), writeOperand("m2", million2)}},
        {"10^7 + 10^7 digits",
         {{"Text1_0", tenMillion1}, {"Text1_1", tenMillion2}},
         "Command1",
         "Text2",
         {"add", writeOperand("t1", tenMillion1), writeOperand("t2", tenMillion2)}},
    };

    QtUiServices ui;
    MainForm window(ui);
    window.resize(980, 640);
    window.show();
    QApplication::processEvents();

    std::printf("%-20s %10s %10s %7s %9s %10s %10s %9s\n", "work", "cli s", "window s", "ratio", "digits", "copy ms",
                "scroll ms", "resize ms");
    for (const Case& c : cases) {
        auto* view = window.findChild<ResultView*>(QString::fromLatin1(c.result));
        auto* button = window.findChild<QPushButton*>(QString::fromLatin1(c.button));
        showTabOf(window, view);
        for (const auto& [box, text] : c.inputs)
            setInputText(window.findChild<QLineEdit*>(QString::fromLatin1(box)), text);
        std::vector<double> gui, command;
        qsizetype digits = 0;
        for (int run = 0; run < repeats; ++run) {
            view->clear();
            QApplication::processEvents();
            QElapsedTimer clock;
            PaintWatch watch(view, clock);
            QEventLoop loop;
            QObject::connect(view, &ResultView::textChanged, &loop, [&] { watch.expected = view->text().size(); });
            QTimer poll;
            QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
                if (watch.shownAfterNs >= 0) loop.quit();
            });
            poll.start(1);
            clock.start();
            button->click();
            loop.exec();
            gui.push_back(watch.shownAfterNs / 1e9);
            digits = view->text().size();
            command.push_back(cliSeconds(cli, c.cliArguments));
        }
        QElapsedTimer clock;
        clock.start();
        view->selectAll();
        view->copy();
        const bool copied = QApplication::clipboard()->text().size() == digits;
        const double copyMs = clock.nsecsElapsed() / 1e6;
        clock.restart();
        view->verticalScrollBar()->setValue(view->verticalScrollBar()->maximum() / 2);
        view->viewport()->repaint();
        const double scrollMs = clock.nsecsElapsed() / 1e6;
        clock.restart();
        window.resize(window.width() + 120, window.height());
        QApplication::processEvents();
        view->viewport()->repaint();
        const double resizeMs = clock.nsecsElapsed() / 1e6;
        window.resize(980, 640);
        const double g = median(gui), k = median(command);
        std::printf("%-20s %10.3f %10.3f %6.2fx %9lld %10.1f %10.2f %9.2f%s\n", c.name, k, g, g / k,
                    static_cast<long long>(digits), copyMs, scrollMs, resizeMs, copied ? "" : "  (copy incomplete)");
        std::fflush(stdout);
        view->clear();
    }
    return 0;
}
