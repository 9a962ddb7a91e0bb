// Frame7 of the tab "单位转化": radians and degrees, and numbers between
// bases 2 to 36 chosen with two rows of option buttons.
#include <QButtonGroup>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <array>
#include <memory>

#include "common/number_text.h"
#include "expr/jxjs.h"
#include "numtools/angles.h"
#include "numtools/number_base.h"
#include "numtools/units.h"
#include "pages/page_context.h"
#include "pages/page_state.h"
#include "pages/pages.h"
#include "widgets/formula_field.h"
#include "widgets/labels.h"
#include "widgets/number_box.h"
#include "widgets/ui_services.h"

namespace {

using namespace numerelle;

const QString kAskForBase = QStringLiteral("请输入需要转化的进制数！（2-36）");
const QString kBaseNotANumber = QStringLiteral("进制数应当是一个数，进制没有改变！");

QString text(const std::string& value) {
    return QString::fromStdString(value);
}

// Reads `source`, converts it and writes the number text into `target`;
// asks for a number instead of converting a text that is none.
void convertAngle(QLineEdit* source, QLineEdit* target, expr::Evaluation (*conversion)(double),
                  const PageContext& context) {
    const std::optional<double> value = requireNumber(source, context.ui, context.window);
    if (!value) return;
    const expr::Evaluation result = conversion(*value);
    if (!result.ok()) {
        context.ui.message(context.window, text(failureText(result.failure)));
        return;
    }
    showText(target, text(numberText(result.value)));
}

QWidget* buildAngleConverter(const PageContext& context) {
    auto* box = new QWidget;
    auto* caption = new QLabel(QStringLiteral("弧度《=》角度"));
    caption->setObjectName(QStringLiteral("Label11"));
    caption->setAlignment(Qt::AlignCenter);
    auto* radians = new QLineEdit;
    radians->setObjectName(QStringLiteral("Text18_0"));
    auto* degrees = new QLineEdit;
    degrees->setObjectName(QStringLiteral("Text18_1"));
    auto* toDegrees = new QPushButton(QStringLiteral("=》"));
    toDegrees->setObjectName(QStringLiteral("Command12"));
    auto* toRadians = new QPushButton(QStringLiteral("《="));
    toRadians->setObjectName(QStringLiteral("Command13"));

    auto* buttons = new QVBoxLayout;
    buttons->addWidget(toDegrees);
    buttons->addWidget(toRadians);
    auto* row = new QHBoxLayout;
    row->addWidget(radians, 1);
    row->addLayout(buttons);
    row->addWidget(degrees, 1);
    auto* layout = new QVBoxLayout(box);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(caption);
    layout->addLayout(row);

    attachFormulaField(radians, context.ui);
    attachFormulaField(degrees, context.ui);
    // Each box converts away from itself.
    computeOnEnter(radians, toDegrees);
    computeOnEnter(degrees, toRadians);
    fitNumberText(radians);
    fitNumberText(degrees);
    QObject::connect(toDegrees, &QPushButton::clicked, box,
                     [=] { convertAngle(radians, degrees, numtools::radiansToDegrees, context); });
    QObject::connect(toRadians, &QPushButton::clicked, box,
                     [=] { convertAngle(degrees, radians, numtools::degreesToRadians, context); });
    return box;
}

// One row of base buttons: "16", "10", "8", "2" and the custom "？".
struct BaseRow {
    QGroupBox* frame = nullptr;
    std::array<QRadioButton*, 5> buttons{};
    QAbstractButton* lastChosen = nullptr;  // restored when the custom base is cancelled
};

BaseRow makeBaseRow(int index) {
    BaseRow row;
    row.frame = new QGroupBox;
    row.frame->setObjectName(QStringLiteral("Frame22_%1").arg(index));
    auto* layout = new QHBoxLayout(row.frame);
    auto* group = new QButtonGroup(row.frame);
    const char* names[] = {"Option6", "Option7", "Option8", "Option9", "Option10"};
    const QString captions[] = {QStringLiteral("16"), QStringLiteral("10"), QStringLiteral("8"), QStringLiteral("2"),
                                QStringLiteral("？")};
    for (int i = 0; i < 5; ++i) {
        auto* button = new QRadioButton(captions[i]);
        button->setObjectName(QStringLiteral("%1_%2").arg(QLatin1String(names[i])).arg(index));
        group->addButton(button);
        // Spread over the row at their own width: a click beside a caption
        // is not a choice.
        if (i > 0) layout->addStretch(1);
        layout->addWidget(button);
        row.buttons[i] = button;
    }
    row.buttons[1]->setChecked(true);
    row.lastChosen = row.buttons[1];
    return row;
}

// The base a row stands for: its chosen button's caption read as a number;
// a custom button never set ("？") reads as 0.
int chosenBase(const BaseRow& row) {
    for (QRadioButton* button : row.buttons) {
        if (!button->isChecked()) continue;
        const std::optional<double> base = numtools::readNumber(button->text().toStdString());
        return base ? static_cast<int>(*base) : 0;
    }
    return 0;
}

QWidget* buildBaseConverter(const PageContext& context) {
    auto* box = new QWidget;
    auto rows = std::make_shared<std::array<BaseRow, 2>>(std::array<BaseRow, 2>{makeBaseRow(0), makeBaseRow(1)});

    auto* value = new QLineEdit(QStringLiteral("0"));
    value->setObjectName(QStringLiteral("Text62"));
    auto* convert = new QPushButton(QStringLiteral("转化"));
    convert->setObjectName(QStringLiteral("Command36"));
    auto* result = new QLineEdit(QStringLiteral("0"));
    result->setObjectName(QStringLiteral("Text63"));
    result->setReadOnly(true);
    QPalette greyed = result->palette();
    greyed.setColor(QPalette::Base, greyed.color(QPalette::Window));
    result->setPalette(greyed);

    // Each row of bases stands above its box, which gets the whole width: a
    // binary result can run to more than a hundred digits.
    auto* layout = new QVBoxLayout(box);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget((*rows)[0].frame);
    layout->addWidget(value);
    layout->addWidget(convert, 0, Qt::AlignCenter);
    layout->addWidget((*rows)[1].frame);
    layout->addWidget(result);

    PageState* state = &context.state;
    computeOnEnter(value, convert);
    attachKeyFilter(value, [state](QChar ch) { return numtools::baseKeyAccepted(ch.unicode(), state->currentBase); });

    const int fixedBases[] = {16, 10, 8, 2};
    for (int index = 0; index < 2; ++index) {
        for (int i = 0; i < 4; ++i) {
            QRadioButton* button = (*rows)[index].buttons[i];
            const int base = fixedBases[i];
            QObject::connect(button, &QRadioButton::clicked, box, [rows, index, button, base, state] {
                (*rows)[index].lastChosen = button;
                if (index == 0) state->currentBase = base;
            });
        }
        QRadioButton* custom = (*rows)[index].buttons[4];
        QObject::connect(custom, &QRadioButton::clicked, box, [rows, index, custom, context] {
            BaseRow& row = (*rows)[index];
            const std::optional<QString> answer = context.ui.input(context.window, kAskForBase, QString());
            std::optional<double> number;
            if (answer) {
                number = numtools::readNumber(answer->toStdString());
                if (!number) context.ui.message(context.window, kBaseNotANumber);
            }
            if (!number) {
                // Cancelled or no number: the base chosen before stays.
                row.lastChosen->setChecked(true);
                return;
            }
            const int base = numtools::customBase(*number);
            custom->setText(text(numberText(base)));
            row.lastChosen = custom;
            if (index == 0) context.state.currentBase = base;
        });
    }

    QObject::connect(convert, &QPushButton::clicked, box, [rows, value, result, context] {
        showText(value, value->text().toUpper());
        const numtools::BaseText converted =
            numtools::convertNumberBase(value->text().toStdString(), context.state.currentBase, chosenBase((*rows)[1]));
        if (!converted.ok()) context.ui.message(context.window, text(failureText(converted.failure)));
        showText(result, text(converted.text));
    });
    return box;
}

}  // namespace

// The handlers keep a copy of the context: it only holds references to the
// window's lasting parts, while the caller's context object goes away.
QWidget* pages::buildAngleBasePage(PageContext& context) {
    QGroupBox* frame = makePageFrame("Frame7", QStringLiteral("常用单位与进制的转化"));
    auto* layout = new QVBoxLayout(frame);
    layout->addWidget(buildAngleConverter(context));
    layout->addSpacing(8);
    layout->addWidget(buildBaseConverter(context));
    layout->addStretch();
    return frame;
}
