#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <cmath>
#include <optional>
#include <vector>

#include "common/number_text.h"
#include "expr/jxjs.h"
#include "numtools/complex.h"
#include "pages/page_context.h"
#include "pages/page_state.h"
#include "pages/pages.h"
#include "widgets/formula_field.h"
#include "widgets/labels.h"
#include "widgets/ui_services.h"

namespace {

namespace nt = numerelle::numtools;

QString text(const std::string& value) {
    return QString::fromStdString(value);
}

QLineEdit* box(const QString& name, const QString& initial = QStringLiteral("0")) {
    auto* edit = new QLineEdit(initial);
    edit->setObjectName(name);
    fitNumberText(edit);
    return edit;
}

// The values of boxes that must hold numbers. A box that does not (its
// formula failed and the user was told so) gets the focus back and nothing
// is computed.
std::optional<std::vector<double>> numbersOf(std::initializer_list<QLineEdit*> boxes) {
    std::vector<double> values;
    for (QLineEdit* edit : boxes) {
        const auto value = nt::boxValue(edit->text().toStdString());
        if (!value) {
            edit->setFocus(Qt::OtherFocusReason);
            return std::nullopt;
        }
        values.push_back(*value);
    }
    return values;
}

struct ComplexControls {
    QLineEdit* algebraic[5];          // Text35: real Z1, real Z2, imaginary Z1, imaginary Z2, exponent
    QLineEdit* trigonometric[6];      // Text36: moduli, angles, the angles' copies
    QLineEdit* rootNumber;            // Text42
    QLineEdit* results[5];            // Text37 ... Text41
    QRadioButton* algebraicForm;      // Option1
    QRadioButton* trigonometricForm;  // Option2
};

void showResult(const ComplexControls& c, const nt::ComplexResult& result, UiServices& ui, QWidget* window) {
    const std::optional<std::string>* parts[5] = {&result.real, &result.imaginary, &result.modulus, &result.angle,
                                                  &result.angleCopy};
    for (int i = 0; i < 5; ++i)
        if (*parts[i]) showText(c.results[i], text(**parts[i]));
    if (!result.ok()) ui.message(window, text(numerelle::failureText(result.failure)));
}

void setActiveForm(const ComplexControls& c, int form) {
    for (int i = 0; i < 4; ++i) {
        c.algebraic[i]->setEnabled(form == 0);
        c.trigonometric[i]->setEnabled(form == 1);
    }
}

// Makes `form` (0 algebraic, 1 trigonometric) the active input form. The
// numbers of the form left behind are converted into it; a box there that
// holds no number keeps the old form, with the focus in that box.
void switchInputForm(const ComplexControls& c, PageState& state, nt::ComplexAngleUnit unit, int form) {
    if (state.complexInputForm != form) {
        QLineEdit* const* from = form == 0 ? c.trigonometric : c.algebraic;
        const auto v = numbersOf({from[0], from[1], from[2], from[3]});
        if (!v) {
            (form == 0 ? c.trigonometricForm : c.algebraicForm)->setChecked(true);
            return;
        }
        for (int z = 0; z < 2; ++z) {
            if (form == 0) {
                const nt::AlgebraicTexts texts = nt::toAlgebraicTexts((*v)[z], (*v)[z + 2], unit);
                showText(c.algebraic[z], text(texts.real));
                showText(c.algebraic[z + 2], text(texts.imaginary));
            } else {
                const nt::TrigonometricTexts texts = nt::toTrigonometricTexts((*v)[z], (*v)[z + 2], unit);
                showText(c.trigonometric[z], text(texts.modulus));
                showText(c.trigonometric[z + 2], text(texts.angle));
                showText(c.trigonometric[z + 4], text(texts.angleCopy));
            }
        }
    }
    state.complexInputForm = form;
    setActiveForm(c, form);
}

QGroupBox* buildInputFrame(ComplexControls& c, QRadioButton* units[3]) {
    QGroupBox* frame = makePageFrame("Frame11", QStringLiteral("复数输入"));
    // Greyed boxes of the inactive form take the colour of scroll bars.
    frame->setStyleSheet(QStringLiteral("QLineEdit:disabled { background: palette(button); }"));
    auto* grid = new QGridLayout(frame);

    for (int i = 0; i < 4; ++i) c.algebraic[i] = box(QStringLiteral("Text35_%1").arg(i));
    for (int i = 0; i < 6; ++i) c.trigonometric[i] = box(QStringLiteral("Text36_%1").arg(i));
    for (int i = 4; i < 6; ++i) c.trigonometric[i]->setEnabled(false);  // copies, never typed into

    // Z = a + bi, one row per number.
    const char* rowNames[2] = {"Label21", "Label22"};
    for (int z = 0; z < 2; ++z) {
        grid->addWidget(makeLabel(rowNames[z], z == 0 ? QStringLiteral("Z1=") : QStringLiteral("Z2=")), z, 0);
        grid->addWidget(c.algebraic[z], z, 1);
        grid->addWidget(makeLabel(nullptr, QStringLiteral("+")), z, 2);
        grid->addWidget(c.algebraic[z + 2], z, 3);
        grid->addWidget(makeLabel(nullptr, QStringLiteral("i")), z, 4);
    }
    c.algebraicForm = new QRadioButton(QStringLiteral("代数形式"));
    c.algebraicForm->setObjectName(QStringLiteral("Option1"));
    c.algebraicForm->setChecked(true);
    c.trigonometricForm = new QRadioButton(QStringLiteral("三角形式"));
    c.trigonometricForm->setObjectName(QStringLiteral("Option2"));
    grid->addWidget(c.algebraicForm, 0, 5);
    grid->addWidget(c.trigonometricForm, 2, 5);

    // Z = r (Cos t + iSin t), one row per number.
    for (int z = 0; z < 2; ++z) {
        const int row = 2 + z;
        grid->addWidget(makeLabel(nullptr, z == 0 ? QStringLiteral("Z1=") : QStringLiteral("Z2=")), row, 0);
        auto* line = new QHBoxLayout;
        line->addWidget(c.trigonometric[z]);
        line->addWidget(makeLabel(nullptr, QStringLiteral("（Cos")));
        line->addWidget(c.trigonometric[z + 2]);
        line->addWidget(makeLabel(nullptr, QStringLiteral("+iSin")));
        line->addWidget(c.trigonometric[z + 4]);
        line->addWidget(makeLabel(nullptr, QStringLiteral("）")));
        grid->addLayout(line, row, 1, 1, 4);
    }

    QGroupBox* unitFrame = makePageFrame("Frame12", QString());
    auto* unitLayout = new QHBoxLayout(unitFrame);
    const QString captions[3] = {QStringLiteral("角度"), QStringLiteral("弧度"), QStringLiteral("百分度")};
    for (int i = 0; i < 3; ++i) {
        units[i] = new QRadioButton(captions[i]);
        units[i]->setObjectName(QStringLiteral("Option%1").arg(3 + i));
        unitLayout->addWidget(units[i]);
    }
    units[0]->setChecked(true);
    grid->addWidget(unitFrame, 4, 0, 1, 6);
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(3, 1);
    return frame;
}

QGroupBox* buildCalculationFrame(ComplexControls& c, QPushButton* operations[4], QPushButton*& power) {
    QGroupBox* frame = makePageFrame("Frame13", QStringLiteral("复数计算"));
    auto* grid = new QGridLayout(frame);

    auto* buttons = new QHBoxLayout;
    const char* symbols[4] = {"+", "-", "*", "/"};
    for (int i = 0; i < 4; ++i) {
        operations[i] = new QPushButton(QString::fromLatin1(symbols[i]));
        operations[i]->setObjectName(QStringLiteral("Command%1").arg(18 + i));
        buttons->addWidget(operations[i]);
    }
    power = new QPushButton(QStringLiteral("复数的几次方"));
    power->setObjectName(QStringLiteral("Command22"));
    buttons->addWidget(power);
    grid->addLayout(buttons, 0, 0, 1, 6);

    c.algebraic[4] = box(QStringLiteral("Text35_4"));
    c.rootNumber = box(QStringLiteral("Text42"), QStringLiteral("1"));
    grid->addWidget(makeLabel("Label34", QStringLiteral("指数为（可以为任意数，包括负数和小数）")), 1, 0, 1, 4);
    grid->addWidget(c.algebraic[4], 1, 4, 1, 2);
    grid->addWidget(makeLabel("Label43", QStringLiteral("开方时取第几个解")), 2, 0, 1, 4);
    grid->addWidget(c.rootNumber, 2, 4, 1, 2);
    auto* notice = makeLabel("Label44", QStringLiteral("声明：计算复数的几次方时，只计算Z1的解！"));
    notice->setStyleSheet(QStringLiteral("color: red;"));
    grid->addWidget(notice, 3, 0, 1, 6);
    grid->addWidget(makeLabel("Label35", QStringLiteral("计算结果为：")), 4, 0, 1, 6);

    for (int i = 0; i < 5; ++i) {
        c.results[i] = box(QStringLiteral("Text%1").arg(37 + i));
        c.results[i]->setReadOnly(true);
    }
    auto* algebraicRow = new QHBoxLayout;
    algebraicRow->addWidget(makeLabel("Label36", QStringLiteral("代数形式为：")));
    algebraicRow->addWidget(c.results[0], 1);
    algebraicRow->addWidget(makeLabel(nullptr, QStringLiteral("+")));
    algebraicRow->addWidget(c.results[1], 1);
    algebraicRow->addWidget(makeLabel(nullptr, QStringLiteral("i")));
    grid->addLayout(algebraicRow, 5, 0, 1, 6);
    auto* trigonometricRow = new QHBoxLayout;
    trigonometricRow->addWidget(makeLabel("Label37", QStringLiteral("三角形式为：")));
    trigonometricRow->addWidget(c.results[2], 1);
    trigonometricRow->addWidget(makeLabel(nullptr, QStringLiteral("(Cos")));
    trigonometricRow->addWidget(c.results[3], 1);
    trigonometricRow->addWidget(makeLabel(nullptr, QStringLiteral("+ iSin")));
    trigonometricRow->addWidget(c.results[4], 1);
    trigonometricRow->addWidget(makeLabel(nullptr, QStringLiteral(")")));
    grid->addLayout(trigonometricRow, 6, 0, 1, 6);
    return frame;
}

}  // namespace

QWidget* pages::buildComplexPage(PageContext& context) {
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("ComplexPage"));
    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(0, 0, 0, 0);

    ComplexControls c{};
    QRadioButton* units[3] = {};
    QPushButton* operations[4] = {};
    QPushButton* power = nullptr;
    QGroupBox* input = buildInputFrame(c, units);
    QGroupBox* calculation = buildCalculationFrame(c, operations, power);
    layout->addWidget(input);
    layout->addWidget(calculation);
    setActiveForm(c, context.state.complexInputForm);

    UiServices& ui = context.ui;
    PageState& state = context.state;
    QWidget* window = context.window;
    auto unit = [&state] { return static_cast<nt::ComplexAngleUnit>(state.complexAngleUnit); };

    for (int i = 0; i < 5; ++i) attachFormulaField(c.algebraic[i], ui);
    for (int i = 0; i < 4; ++i) attachFormulaField(c.trigonometric[i], ui);
    // The sine's angle always equals the cosine's.
    for (int i = 2; i < 4; ++i) {
        QLineEdit* copy = c.trigonometric[i + 2];
        QObject::connect(c.trigonometric[i], &QLineEdit::textChanged, copy,
                         [copy](const QString& angle) { showText(copy, angle); });
    }
    QLineEdit* rootNumber = c.rootNumber;
    attachFormulaField(rootNumber, ui, [rootNumber] {
        showText(rootNumber, text(numerelle::numberText(std::fabs(std::floor(boxNumber(rootNumber))))));
    });

    for (int form = 0; form < 2; ++form) {
        QRadioButton* option = form == 0 ? c.algebraicForm : c.trigonometricForm;
        QObject::connect(option, &QRadioButton::clicked, page,
                         [c, &state, unit, form] { switchInputForm(c, state, unit(), form); });
    }

    // Only the two input angles follow a change of unit; result angles stay.
    for (int i = 0; i < 3; ++i) {
        QObject::connect(units[i], &QRadioButton::clicked, page, [c, &state, i] {
            const auto from = static_cast<nt::ComplexAngleUnit>(state.complexAngleUnit);
            const auto to = static_cast<nt::ComplexAngleUnit>(i);
            if (from == to) return;
            for (int z = 2; z < 4; ++z) {
                const double angle = boxNumber(c.trigonometric[z]);
                showText(c.trigonometric[z], text(numerelle::numberText(nt::convertAngle(angle, from, to))));
            }
            state.complexAngleUnit = i;
        });
    }

    const nt::ComplexOperation kinds[4] = {nt::ComplexOperation::Add, nt::ComplexOperation::Subtract,
                                           nt::ComplexOperation::Multiply, nt::ComplexOperation::Divide};
    for (int i = 0; i < 4; ++i) {
        const nt::ComplexOperation kind = kinds[i];
        QObject::connect(operations[i], &QPushButton::clicked, page, [c, kind, unit, &ui, window] {
            // The operations always read the algebraic boxes.
            const auto v = numbersOf({c.algebraic[0], c.algebraic[2], c.algebraic[1], c.algebraic[3]});
            if (!v) return;
            showResult(c, nt::complexArithmetic(kind, (*v)[0], (*v)[1], (*v)[2], (*v)[3], unit()), ui, window);
        });
    }
    // Enter in an exponent box raises to the power; in a number box it runs
    // the operation pressed last ("+" before any).
    auto lastOperation = std::make_shared<QAbstractButton*>(operations[0]);
    for (QPushButton* operation : operations)
        QObject::connect(operation, &QPushButton::clicked, page,
                         [lastOperation, operation] { *lastOperation = operation; });
    for (int i = 0; i < 4; ++i) {
        computeOnEnter(c.algebraic[i], [lastOperation] { return *lastOperation; });
        computeOnEnter(c.trigonometric[i], [lastOperation] { return *lastOperation; });
    }
    computeOnEnter(c.algebraic[4], power);
    computeOnEnter(c.rootNumber, power);
    QObject::connect(power, &QPushButton::clicked, page, [c, unit, &ui, window] {
        const auto v = numbersOf({c.algebraic[0], c.algebraic[2], c.algebraic[4], c.rootNumber});
        if (!v) return;
        showResult(c, nt::complexPower((*v)[0], (*v)[1], (*v)[2], (*v)[3], unit()), ui, window);
    });

    return page;
}
