#include "app/main_form.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScrollArea>
#include <QTabWidget>
#include <QTextEdit>
#include <QVBoxLayout>

#include "app/long_work.h"
#include "app/page_context.h"
#include "app/shell_pages.h"
#include "app/ui_services.h"
#include "pages/pages.h"
#include "pages/result_view.h"

namespace {

QLabel* fixedLabel(const char* name, const QString& text) {
    auto* label = new QLabel(text);
    label->setObjectName(QString::fromLatin1(name));
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

}  // namespace

QString mainWindowCaption() {
    return QStringLiteral("Numerelle v1.01-------设计：") + QString::fromUtf8(kDesignerName);
}

MainForm::MainForm(UiServices& ui, QWidget* parent)
    : QMainWindow(parent), ui_(ui), work_(new LongWorkRunner(this, &ui)), tabs_(new QTabWidget) {
    setObjectName(QStringLiteral("main_form"));
    setWindowTitle(mainWindowCaption());
    tabs_->setObjectName(QStringLiteral("SSTab1"));
    setCentralWidget(tabs_);

    PageContext context{this, state_, ui_, *work_};

    tabs_->addTab(buildCoverPage(context, tabs_), QIcon(coverIcon()), QStringLiteral("封面"));
    tabs_->addTab(tabPage("tabBigNumbers1",
                          {fixedLabel("Label1", QStringLiteral("8位计算器太不够用了，试试这功能，可以数算多大的数都行，并且支持负数和小数！")),
                           buildBigAddPage(context), buildBigMultiplyPage(context)}),
                  QStringLiteral("大数计算 I"));
    tabs_->addTab(tabPage("tabBigNumbers2",
                          {buildBigPowerPage(context), buildBigFactorialPage(context),
                           fixedLabel("Label5", QStringLiteral("这有一般计算器没有的功能,而且速度可是惊天地,泣鬼神!"))}),
                  QStringLiteral("大数计算 II"));
    tabs_->addTab(tabPage("tabMisc1",
                          {buildFactorisationPage(context), buildFractionPage(context),
                           buildSquareRootPage(context), buildGcdPage(context),
                           buildLogarithmPage(context), buildPermutationPage(context)}),
                  QStringLiteral("杂项 I"));
    tabs_->addTab(tabPage("tabComplex", {buildComplexPage(context)}, 1), QStringLiteral("复数计算"));
    tabs_->addTab(tabPage("tabEquations", {buildPolynomialPage(context), buildLinearSystemPage(context)}),
                  QStringLiteral("解方程"));
    tabs_->addTab(tabPage("tabMatrices",
                          {buildMatrixPage(context), buildMatrixProductPage(context),
                           buildHessenbergPage(context)}),
                  QStringLiteral("矩阵计算"));
    tabs_->addTab(tabPage("tabUnits",
                          {buildUnitPage(context), buildAngleBasePage(context),
                           buildQuickCalculator(context)}),
                  QStringLiteral("单位转化"));
    tabs_->addTab(tabPage("tabCalculus", {buildSumPage(context), buildCalculusPage(context)}, 1),
                  QStringLiteral(" 高等数学"));
    tabs_->addTab(buildHelpPage(context), QStringLiteral("软件帮助"));

    resize(980, 640);
}

MainForm::~MainForm() = default;

void MainForm::closeEvent(QCloseEvent* event) {
    // Stop a running computation before its result boxes go away.
    work_->cancel();
    work_->waitForIdle();
    // The big-number result boxes may hold millions of characters; empty them
    // before the window goes.
    for (const char* name : {"Text9", "Text2", "Text3", "Text6", "Text50", "Text51"}) {
        QWidget* box = findChild<QWidget*>(QString::fromLatin1(name));
        if (auto* line = qobject_cast<QLineEdit*>(box)) line->clear();
        else if (auto* view = qobject_cast<bigpages::ResultView*>(box)) view->clear();
        else if (auto* rich = qobject_cast<QTextEdit*>(box)) rich->clear();
    }
    event->accept();
}
