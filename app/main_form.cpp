#include "app/main_form.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDialog>
#include <QGridLayout>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScreen>
#include <QShortcut>
#include <QTabBar>
#include <QLabel>
#include <QScrollArea>
#include <QTabWidget>
#include <QVBoxLayout>

#include "app/close_requests.h"
#include "app/shell_pages.h"
#include "pages/pages.h"
#include "widgets/labels.h"
#include "widgets/long_work.h"
#include "widgets/result_view.h"
#include "widgets/ui_services.h"

namespace {

QLabel* fixedLabel(const char* name, const QString& text) {
    QLabel* label = makeLabel(name, text);
    label->setWordWrap(true);
    return label;
}

// A tab's pages in a two-column grid, scrollable on small screens.
QWidget* tabPage(const char* name, std::initializer_list<QWidget*> pages, int columns = 2) {
    auto* inner = new QWidget;
    auto* grid = new QGridLayout(inner);
    int index = 0;
    for (QWidget* page : pages) {
        // A label spans the whole row; frames share it.
        if (qobject_cast<QLabel*>(page)) {
            if (index % columns != 0) index += columns - index % columns;
            grid->addWidget(page, index / columns, 0, 1, columns);
            index += columns;
        } else {
            grid->addWidget(page, index / columns, index % columns, Qt::AlignTop);
            ++index;
        }
    }
    grid->setRowStretch(index / columns + 1, 1);
    auto* scroll = new QScrollArea;
    scroll->setObjectName(QString::fromLatin1(name));
    scroll->setWidget(inner);
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    return scroll;
}

// How long a closing window waits for a cancelled job to stop. The core
// polls its flag often; only a single huge multiplication can take longer.
constexpr int kCloseWaitMs = 300;

// Every hand-made change of tab (a click or the wheel on the tab bar,
// Ctrl+Tab) first lets the focused box commit, and does not happen when
// the box refuses: its message then stands over its own page, and the
// focus goes back into it where the user can see it.
class TabChangeGuard final : public QObject {
public:
    TabChangeGuard(MainForm* window, QTabWidget* tabs) : QObject(window), window_(window), tabs_(tabs) {
        tabs->tabBar()->installEventFilter(this);
        tabs->installEventFilter(this);
    }

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == tabs_->tabBar()) {
            if (event->type() == QEvent::MouseButtonPress) {
                const auto* press = static_cast<QMouseEvent*>(event);
                const int tab = tabs_->tabBar()->tabAt(press->position().toPoint());
                if (press->button() == Qt::LeftButton && tab >= 0 && tab != tabs_->currentIndex())
                    return !window_->releaseFocusedBox();
            } else if (event->type() == QEvent::Wheel) {
                return !window_->releaseFocusedBox();
            }
        } else if (event->type() == QEvent::KeyPress) {
            // Key presses the pages leave unused reach the tab widget.
            const auto* key = static_cast<QKeyEvent*>(event);
            const bool switching = (key->modifiers() & Qt::ControlModifier) &&
                                   (key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab);
            if (switching) return !window_->releaseFocusedBox();
        }
        return false;
    }

private:
    MainForm* window_;
    QTabWidget* tabs_;
};

}  // namespace

QSize fittedWindowSize(const QSize& preferred, const QSize& available) {
    // The title bar and the borders the window manager adds.
    const QSize frame(16, 48);
    return preferred.boundedTo(available - frame).expandedTo(QSize(200, 150));
}

QString mainWindowCaption() {
    return QStringLiteral("Numerelle v1.01-------设计：") + QString::fromUtf8(kDesignerName);
}

MainForm::MainForm(UiServices& ui, QWidget* parent)
    : QMainWindow(parent), ui_(ui), work_(new LongWorkRunner(this, &ui)), tabs_(new QTabWidget) {
    setObjectName(QStringLiteral("main_form"));
    setWindowTitle(mainWindowCaption());
    tabs_->setObjectName(QStringLiteral("SSTab1"));
    setCentralWidget(tabs_);

    // A job blocks the input of the tab it was started from.
    work_->setPageOfJob([tabs = tabs_] { return tabs->currentWidget(); });
    PageContext context{this, state_, ui_, *work_};

    tabs_->addTab(buildCoverPage(context, tabs_), QIcon(coverIcon()), QStringLiteral("封面"));
    tabs_->addTab(
        tabPage(
            "tabBigNumbers1",
            {fixedLabel("Label1",
                        QStringLiteral("8位计算器太不够用了，试试这功能，可以数算多大的数都行，并且支持负数和小数！")),
             pages::buildBigAddPage(context), pages::buildBigMultiplyPage(context)}),
        QStringLiteral("大数计算 I"));
    tabs_->addTab(
        tabPage("tabBigNumbers2",
                {pages::buildBigPowerPage(context), pages::buildBigFactorialPage(context),
                 fixedLabel("Label5", QStringLiteral("这有一般计算器没有的功能,而且速度可是惊天地,泣鬼神!"))}),
        QStringLiteral("大数计算 II"));
    tabs_->addTab(tabPage("tabMisc1", {pages::buildFactorisationPage(context), pages::buildFractionPage(context),
                                       pages::buildSquareRootPage(context), pages::buildGcdPage(context),
                                       pages::buildLogarithmPage(context), pages::buildPermutationPage(context)}),
                  QStringLiteral("杂项 I"));
    tabs_->addTab(tabPage("tabComplex", {pages::buildComplexPage(context)}, 1), QStringLiteral("复数计算"));
    tabs_->addTab(tabPage("tabEquations", {pages::buildPolynomialPage(context), pages::buildLinearSystemPage(context)}),
                  QStringLiteral("解方程"));
    tabs_->addTab(tabPage("tabMatrices", {pages::buildMatrixPage(context), pages::buildMatrixProductPage(context),
                                          pages::buildHessenbergPage(context)}),
                  QStringLiteral("矩阵计算"));
    tabs_->addTab(tabPage("tabUnits", {pages::buildUnitPage(context), pages::buildAngleBasePage(context),
                                       buildQuickCalculator(context)}),
                  QStringLiteral("单位转化"));
    tabs_->addTab(tabPage("tabCalculus", {pages::buildSumPage(context), pages::buildCalculusPage(context)}, 1),
                  QStringLiteral(" 高等数学"));
    QWidget* help = buildHelpPage(context);
    tabs_->addTab(help, QStringLiteral("软件帮助"));

    new TabChangeGuard(this, tabs_);
    connect(tabs_, &QTabWidget::currentChanged, this, &MainForm::focusPageOf);
    auto* helpKey = new QShortcut(QKeySequence::HelpContents, this);
    connect(helpKey, &QShortcut::activated, this, [this, help] {
        if (releaseFocusedBox()) tabs_->setCurrentWidget(help);
    });
    routeCloseRequests(this);

    const QScreen* shownOn = screen() ? screen() : QGuiApplication::primaryScreen();
    const QSize preferred(980, 640);
    resize(shownOn ? fittedWindowSize(preferred, shownOn->availableGeometry().size()) : preferred);
}

bool MainForm::releaseFocusedBox() {
    QWidget* focused = QApplication::focusWidget();
    if (!focused || focused->window() != this || !tabs_->currentWidget()->isAncestorOf(focused)) return true;
    focused->clearFocus();
    return !focused->hasFocus();
}

void MainForm::focusPageOf(int tab) {
    // A box let go before the change leaves nothing focused: the keyboard
    // goes on in the new page, where its last box or its first control.
    QWidget* page = tabs_->widget(tab);
    if (!page || (focusWidget() && focusWidget()->hasFocus())) return;
    if (QWidget* last = page->focusWidget()) {
        last->setFocus(Qt::OtherFocusReason);
        return;
    }
    for (QWidget* next = page->nextInFocusChain(); next && next != page; next = next->nextInFocusChain()) {
        if (!page->isAncestorOf(next)) break;
        if ((next->focusPolicy() & Qt::TabFocus) && next->isVisibleTo(page) && next->isEnabled()) {
            next->setFocus(Qt::TabFocusReason);
            return;
        }
    }
}

MainForm::~MainForm() = default;

void MainForm::closeEvent(QCloseEvent* event) {
    // Closing is never refused. No box opens any more; those open in front
    // of the window are dismissed, so that their event loops end; a running
    // computation is stopped before its result boxes go away.
    ui_.stopAsking();
    work_->cancel();
    for (QWidget* top : QApplication::topLevelWidgets()) {
        auto* dialog = qobject_cast<QDialog*>(top);
        if (dialog && dialog->isVisible()) dialog->reject();
    }
    work_->waitForIdle(kCloseWaitMs);
    // The big-number result boxes may hold millions of characters; empty them
    // before the window goes.
    for (auto* view : findChildren<ResultView*>()) view->clear();
    event->accept();
}
