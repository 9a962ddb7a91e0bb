// The unit converter of the tab "单位转化": a category list, the units of
// the category read from its file, and conversion in both directions.
#include <QComboBox>
#include <QFile>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "common/data_file.h"
#include "common/number_text.h"
#include "expr/jxjs.h"
#include "numtools/units.h"
#include "pages/page_context.h"
#include "pages/page_state.h"
#include "pages/pages.h"
#include "widgets/data_paths.h"
#include "widgets/formula_field.h"
#include "widgets/number_box.h"
#include "widgets/ui_services.h"

namespace {

using namespace numerelle;

// Fills both lists and the size table from the category's file and reports
// every problem of the file in one message; the units read correctly stay.
void loadCategory(const QString& categoryName, QListWidget* from, QListWidget* to, const PageContext& context) {
    const std::optional<std::string> fileName = numtools::unitFileForCategory(categoryName.toStdString());
    if (!fileName) return;
    const QString path = programDataDirectory() + QStringLiteral("/dw/") + QString::fromStdString(*fileName);

    from->clear();
    to->clear();
    context.state.unitSizes.clear();

    // Only a regular file up to the cap: a pipe or a huge file in its place
    // would hold the window.
    const TextFileRead file = readGb18030TextFile(QFile::encodeName(path).toStdString());
    if (file.problem != DataFileProblem::None) {
        const numtools::UnitFileError refused{numtools::unitFileReadProblem(file.problem), 0, ""};
        context.ui.message(context.window,
                           QString::fromStdString(numtools::unitFileErrorText(path.toStdString(), refused)));
        return;
    }
    const numtools::UnitList list = numtools::parseUnitList(numtools::splitUnitFileLines(file.text.utf8));
    for (const numtools::Unit& unit : list.units) {
        const QString name = QString::fromStdString(unit.name);
        from->addItem(name);
        to->addItem(name);
        context.state.unitSizes.push_back(unit.size);
    }
    from->setCurrentRow(-1);
    to->setCurrentRow(-1);

    if (!list.errors.empty()) {
        QStringList lines;
        for (const numtools::UnitFileError& error : list.errors)
            lines << QString::fromStdString(numtools::unitFileErrorText(path.toStdString(), error));
        context.ui.message(context.window, lines.join(QLatin1Char('\n')));
    }
}

int selectedRow(const QListWidget* list) {
    const QList<QListWidgetItem*> selected = list->selectedItems();
    return selected.isEmpty() ? -1 : list->row(selected.first());
}

// Converts the amount in `source` from the unit at row `a` into the unit at
// row `b` and writes it into `target`.
void convert(QLineEdit* source, QLineEdit* target, int a, int b, const PageContext& context) {
    const std::vector<double>& sizes = context.state.unitSizes;
    if (a < 0 || b < 0 || a >= static_cast<int>(sizes.size()) || b >= static_cast<int>(sizes.size())) return;
    const std::optional<double> amount = requireNumber(source, context.ui, context.window);
    if (!amount) return;
    const expr::Evaluation result = numtools::convertUnits(*amount, sizes[a], sizes[b]);
    if (!result.ok()) {
        context.ui.message(context.window, QString::fromStdString(failureText(result.failure)));
        return;
    }
    showText(target, QString::fromStdString(numberText(result.value)));
}

}  // namespace

// The lambdas keep a copy of the context: it only holds references to the
// window's lasting parts, while the caller's context object goes away.
QWidget* pages::buildUnitPage(PageContext& context) {
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("UnitConverter"));

    auto* typeLabel = new QLabel(QStringLiteral("类型"));
    typeLabel->setObjectName(QStringLiteral("Label9"));
    auto* category = new QComboBox;
    category->setObjectName(QStringLiteral("Combo1"));
    for (const numtools::UnitCategory& item : numtools::unitCategories())
        category->addItem(QString::fromUtf8(item.name));
    category->setCurrentIndex(-1);
    typeLabel->setBuddy(category);
    auto* slogan = new QLabel(QStringLiteral("这是许多计算软件所必有的功能！这下不愁了！"));
    slogan->setObjectName(QStringLiteral("Label10"));
    slogan->setWordWrap(true);

    auto* fromList = new QListWidget;
    fromList->setObjectName(QStringLiteral("List2"));
    auto* toList = new QListWidget;
    toList->setObjectName(QStringLiteral("List3"));
    auto* fromAmount = new QLineEdit;
    fromAmount->setObjectName(QStringLiteral("Text16"));
    auto* toAmount = new QLineEdit;
    toAmount->setObjectName(QStringLiteral("Text17"));
    auto* forward = new QPushButton(QStringLiteral(">>"));
    forward->setObjectName(QStringLiteral("Command10"));
    auto* back = new QPushButton(QStringLiteral("<<"));
    back->setObjectName(QStringLiteral("Command11"));

    auto* top = new QHBoxLayout;
    top->addWidget(typeLabel);
    top->addWidget(category, 1);
    auto* buttons = new QVBoxLayout;
    buttons->addStretch();
    buttons->addWidget(forward);
    buttons->addWidget(back);
    buttons->addStretch();
    auto* grid = new QGridLayout;
    grid->addWidget(fromList, 0, 0);
    grid->addLayout(buttons, 0, 1, 2, 1);
    grid->addWidget(toList, 0, 2);
    grid->addWidget(fromAmount, 1, 0);
    grid->addWidget(toAmount, 1, 2);
    auto* layout = new QVBoxLayout(page);
    layout->addLayout(top);
    layout->addWidget(slogan);
    layout->addLayout(grid, 1);

    attachFormulaField(fromAmount, context.ui);
    attachFormulaField(toAmount, context.ui);
    computeOnEnter(fromAmount, forward);
    computeOnEnter(toAmount, back);
    fitNumberText(fromAmount);
    fitNumberText(toAmount);

    QObject::connect(category, &QComboBox::activated, page, [category, fromList, toList, context](int index) {
        loadCategory(category->itemText(index), fromList, toList, context);
    });
    QObject::connect(forward, &QPushButton::clicked, page,
                     [=] { convert(fromAmount, toAmount, selectedRow(fromList), selectedRow(toList), context); });
    QObject::connect(back, &QPushButton::clicked, page,
                     [=] { convert(toAmount, fromAmount, selectedRow(toList), selectedRow(fromList), context); });
    return page;
}
