// "计算最大公约数和最小公倍数": any count of whole numbers, two shown at a
// time; exact divisor and multiple.
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <memory>

#include "pages/big_page_support.h"
#include "pages/page_context.h"
#include "pages/page_state.h"
#include "pages/pages.h"
#include "widgets/formula_field.h"
#include "widgets/labels.h"
#include "widgets/long_work.h"
#include "widgets/ui_services.h"

namespace {

namespace nb = numerelle::bignum;

QString numberCaption(int position) {
    return QStringLiteral("第%1个数").arg(position);
}

QString listEntry(const PageState& state, std::size_t index) {
    if (index >= state.gcdNumbers.size() || state.gcdNumbers[index].isEmpty()) return QStringLiteral("0");
    return state.gcdNumbers[index];
}

std::vector<std::string> numberList(const PageState& state) {
    std::vector<std::string> numbers;
    numbers.reserve(state.gcdNumbers.size());
    for (const QString& number : state.gcdNumbers) numbers.push_back(number.toStdString());
    return numbers;
}

enum class GcdButton { Divisor, Multiple };

}  // namespace

QWidget* pages::buildGcdPage(PageContext& context) {
    QGroupBox* frame = makePageFrame("Frame14", QStringLiteral("计算最大公约数和最小公倍数"));
    UiServices& ui = context.ui;
    LongWorkRunner& work = context.work;
    PageState& state = context.state;

    QLineEdit* count = makeInputBox("Text43", QStringLiteral("2"));
    attachDigitKeyFilter(count);
    count->setMaximumWidth(90);
    QLabel* firstCaption = makeLabel("Label46", numberCaption(1));
    QLabel* secondCaption = makeLabel("Label47", numberCaption(2));
    QLineEdit* numbers[2] = {makeInputBox("Text44_0", QStringLiteral("0")),
                             makeInputBox("Text44_1", QStringLiteral("0"))};
    for (QLineEdit* box : numbers) attachDigitKeyFilter(box);
    auto* scroll = new QScrollBar(Qt::Vertical);
    scroll->setObjectName(QStringLiteral("VScroll1"));
    scroll->setRange(0, 0);

    auto* multipleButton = new QPushButton(QStringLiteral("求出结果"));
    multipleButton->setObjectName(QStringLiteral("Command24"));
    auto* divisorButton = new QPushButton(QStringLiteral("求出结果"));
    divisorButton->setObjectName(QStringLiteral("Command23"));
    QLineEdit* divisor = makeInputBox("Text46", QStringLiteral("0"));
    divisor->setReadOnly(true);
    ResultView* multiple = makeResultBox("Text45", QStringLiteral("0"), ui, 2);

    // Each result sits under its own caption and button: the multiple (Text45)
    // with "最小公倍数：", the divisor (Text46) with "最大公约数：".
    auto* grid = new QGridLayout(frame);
    grid->addWidget(makeLabel("Label45", QStringLiteral("一共有几个需要计算的数？（注意：至少要两个数）")), 0, 0, 1, 2);
    grid->addWidget(count, 0, 2);
    grid->addWidget(firstCaption, 1, 0);
    grid->addWidget(numbers[0], 1, 1);
    grid->addWidget(secondCaption, 2, 0);
    grid->addWidget(numbers[1], 2, 1);
    grid->addWidget(scroll, 1, 2, 2, 1, Qt::AlignLeft);
    grid->addWidget(multipleButton, 3, 0);
    grid->addWidget(makeLabel("Label49", QStringLiteral("最小公倍数：")), 4, 0);
    grid->addWidget(multiple, 5, 0, 1, 2);
    grid->addWidget(divisorButton, 3, 2);
    grid->addWidget(makeLabel("Label48", QStringLiteral("最大公约数：")), 4, 2);
    grid->addWidget(divisor, 5, 2, Qt::AlignTop);
    grid->setColumnStretch(1, 1);

    onFocusLost(count, [count, scroll, &ui, &state] {
        const nb::GcdCount parsed = nb::gcdCountFromText(count->text().toStdString());
        showText(count, QString::fromStdString(parsed.text));
        if (parsed.beep) ui.beep();
        if (parsed.count == 0) return;
        state.gcdNumbers.resize(parsed.count);
        scroll->setMaximum(static_cast<int>(parsed.count) - 2);
    });

    QObject::connect(scroll, &QScrollBar::valueChanged, frame, [=, &state](int s) {
        firstCaption->setText(numberCaption(s + 1));
        secondCaption->setText(numberCaption(s + 2));
        showText(numbers[0], listEntry(state, static_cast<std::size_t>(s)));
        showText(numbers[1], listEntry(state, static_cast<std::size_t>(s) + 1));
    });

    for (int i = 0; i < 2; ++i) {
        QLineEdit* box = numbers[i];
        QObject::connect(box, &QLineEdit::textChanged, frame, [box, scroll, i, &state](const QString& text) {
            const QString whole = QString::fromStdString(nb::gcdNumberText(text.toStdString()));
            if (whole != text) {
                box->setText(whole);  // fires this handler again with the settled text
                return;
            }
            const std::size_t index = static_cast<std::size_t>(scroll->value() + i);
            if (index >= state.gcdNumbers.size()) state.gcdNumbers.resize(index + 1);
            state.gcdNumbers[index] = whole;
        });
    }

    auto run = [=, &ui, &work, &state](GcdButton which) {
        auto outcome = std::make_shared<nb::GcdOutcome>();
        const std::vector<std::string> list = numberList(state);
        QPushButton* button = which == GcdButton::Divisor ? divisorButton : multipleButton;
        work.start(
            which == GcdButton::Divisor ? QStringLiteral("正在求最大公约数…") : QStringLiteral("正在求最小公倍数…"),
            [outcome, list, which](numerelle::WorkControl& control) {
                *outcome = which == GcdButton::Divisor ? nb::computeGcd(list, control) : nb::computeLcm(list, control);
            },
            [=, &ui](bool cancelled) {
                if (cancelled || outcome->cancelled) return;
                if (outcome->multipleBox) setResultText(multiple, QString::fromStdString(*outcome->multipleBox));
                if (outcome->divisorBox) showText(divisor, QString::fromStdString(*outcome->divisorBox));
                for (const std::string& message : outcome->messages)
                    ui.message(button->window(), QString::fromStdString(message));
                if (outcome->beep) ui.beep();
            });
    };
    QObject::connect(divisorButton, &QPushButton::clicked, frame, [run] { run(GcdButton::Divisor); });
    QObject::connect(multipleButton, &QPushButton::clicked, frame, [run] { run(GcdButton::Multiple); });
    // Both results come from the same numbers: Enter asks again for the one
    // asked for last (the divisor before any).
    auto lastAsked = std::make_shared<QAbstractButton*>(divisorButton);
    for (QPushButton* button : {divisorButton, multipleButton})
        QObject::connect(button, &QPushButton::clicked, frame, [lastAsked, button] { *lastAsked = button; });
    for (QLineEdit* box : {count, numbers[0], numbers[1]}) computeOnEnter(box, [lastAsked] { return *lastAsked; });
    return frame;
}
