#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <cmath>
#include <memory>

#include "common/number_text.h"
#include "numtools/square_root.h"
#include "pages/page_context.h"
#include "pages/pages.h"
#include "widgets/formula_field.h"
#include "widgets/labels.h"
#include "widgets/long_work.h"
#include "widgets/ui_services.h"

namespace {

// Holds the box under the root and draws the radical sign around it: a short
// upstroke, the long stroke down and up, and the bar over the box.
class RadicalSign final : public QWidget {
public:
    explicit RadicalSign(QWidget* radicand) {
        setObjectName(QStringLiteral("RadicalSign"));
        auto* layout = new QHBoxLayout(this);
        layout->setContentsMargins(hookWidth, 6, 2, 2);
        layout->addWidget(radicand);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(QPen(palette().color(QPalette::WindowText), 1.6));
        const qreal h = height();
        const QPointF points[] = {{1, h * 0.62}, {5, h * 0.52}, {10, h - 2}, {hookWidth - 3.0, 2}, {width() - 1.0, 2}};
        painter.drawPolyline(points, 5);
    }

private:
    static constexpr int hookWidth = 20;
};

QLineEdit* greyedBox(const char* name, const QString& initial) {
    auto* box = new QLineEdit(initial);
    box->setObjectName(QString::fromLatin1(name));
    box->setReadOnly(true);
    box->setAlignment(Qt::AlignCenter);
    box->setStyleSheet(QStringLiteral("background: palette(window);"));
    fitNumberText(box);
    return box;
}

}  // namespace

QWidget* pages::buildSquareRootPage(PageContext& context) {
    QGroupBox* frame = makePageFrame("Frame9", QStringLiteral("化简二次根式"));
    auto* grid = new QGridLayout(frame);

    auto* prompt = new QLabel(QStringLiteral("请输入一个正整数或一个式子"));
    prompt->setObjectName(QStringLiteral("Label8"));
    auto* number = new QLineEdit(QStringLiteral("0"));
    number->setObjectName(QStringLiteral("Text29"));
    auto* simplify = new QPushButton(QStringLiteral("开方"));
    simplify->setObjectName(QStringLiteral("Command17"));
    QLineEdit* factorNumerator = greyedBox("Text30", QStringLiteral("0"));
    QLineEdit* factorDenominator = greyedBox("Text33", QStringLiteral("1"));
    QLineEdit* underRoot = greyedBox("Text31", QStringLiteral("0"));
    QLineEdit* decimal = greyedBox("Text32", QStringLiteral("0"));
    auto* fractionBar = new QFrame;
    fractionBar->setFrameShape(QFrame::HLine);
    fractionBar->setFrameShadow(QFrame::Plain);
    auto* radical = new RadicalSign(underRoot);
    auto* equals = new QLabel(QStringLiteral("="));

    // a over b and the radical over c; on the next line "=" and the decimal
    // value (every part may be a number text of 15 digits and an exponent,
    // too wide for one line of the half-width page).
    grid->addWidget(prompt, 0, 0, 1, 3);
    grid->addWidget(number, 1, 0, 1, 2);
    grid->addWidget(simplify, 1, 2);
    grid->addWidget(factorNumerator, 2, 0);
    grid->addWidget(fractionBar, 3, 0);
    grid->addWidget(factorDenominator, 4, 0);
    grid->addWidget(radical, 2, 1, 3, 2, Qt::AlignVCenter);
    auto* valueLine = new QHBoxLayout;
    valueLine->addWidget(equals);
    valueLine->addWidget(decimal, 1);
    grid->addLayout(valueLine, 5, 0, 1, 3);
    // The number under the root can be as long as the decimal value.
    grid->setColumnStretch(0, 2);
    grid->setColumnStretch(1, 3);

    UiServices& ui = context.ui;
    attachFormulaField(number, ui, [number] {
        showText(number, QString::fromStdString(numerelle::numberText(std::fabs(boxNumber(number)))));
    });
    computeOnEnter(number, simplify);

    LongWorkRunner& work = context.work;
    QObject::connect(simplify, &QPushButton::clicked, frame, [=, &ui, &work] {
        const numerelle::numtools::SquareRootPlan plan = numerelle::numtools::planSquareRoot(boxNumber(number));
        auto show = [=, &ui](const numerelle::numtools::SquareRootOutput& out) {
            if (out.cancelled) return;
            if (out.factorNumerator) showText(factorNumerator, QString::fromStdString(*out.factorNumerator));
            if (out.factorDenominator) showText(factorDenominator, QString::fromStdString(*out.factorDenominator));
            if (out.underRoot) showText(underRoot, QString::fromStdString(*out.underRoot));
            if (out.decimal) showText(decimal, QString::fromStdString(*out.decimal));
            if (out.beep) ui.beep();
        };
        if (plan.finished) {
            show(*plan.finished);
            return;
        }
        if (plan.askFirst && !ui.confirm(frame->window(), QStringLiteral("计算他可能需要很长时间，是否继续计算？")))
            return;
        // The trial division runs to the square root of a number of up to
        // 16 digits or more: off the user-interface thread, with Cancel.
        auto outcome = std::make_shared<numerelle::numtools::SquareRootOutput>();
        work.start(
            QStringLiteral("正在化简二次根式…"),
            [plan, outcome](numerelle::WorkControl& control) {
                *outcome = numerelle::numtools::finishSquareRoot(plan, control);
            },
            [outcome, show](bool cancelled) {
                if (!cancelled) show(*outcome);
            });
    });
    return frame;
}
