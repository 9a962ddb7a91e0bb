#include "pages/big_page_support.h"

#include <QLabel>
#include <QPushButton>
#include <memory>
#include <optional>

#include "widgets/labels.h"
#include "widgets/long_work.h"
#include "widgets/result_view.h"
#include "widgets/ui_services.h"

namespace pages {

void runPageAction(LongWorkRunner& work, UiServices& ui, QPushButton* button, const QString& label,
                   std::function<numerelle::bignum::PageOutcome(numerelle::WorkControl&)> action,
                   ResultView* resultBox) {
    struct Done {
        numerelle::bignum::PageOutcome outcome;
        std::optional<QString> shown;
    };
    auto done = std::make_shared<Done>();
    work.start(
        label,
        [done, action = std::move(action)](numerelle::WorkControl& control) {
            done->outcome = action(control);
            // The text is made once, here; the view only shares it.
            if (done->outcome.result) {
                done->shown = QString::fromStdString(*done->outcome.result);
                done->outcome.result.reset();
            }
        },
        [done, &ui, button, resultBox](bool cancelled) {
            const numerelle::bignum::PageOutcome& outcome = done->outcome;
            if (cancelled || outcome.cancelled) return;
            for (const std::string& message : outcome.messages)
                ui.message(button->window(), QString::fromStdString(message));
            if (done->shown) resultBox->setText(std::move(*done->shown));
            if (outcome.beep) ui.beep();
            if (outcome.elapsedSeconds)
                button->setToolTip(
                    QString::fromStdString(numerelle::bignum::elapsedSecondsText(*outcome.elapsedSeconds)));
        });
}

QPushButton* makeEqualsButton(const char* objectName) {
    auto* button = new QPushButton(QStringLiteral("="));
    button->setObjectName(QString::fromLatin1(objectName));
    button->setMaximumWidth(40);
    return button;
}

QLabel* makeOperatorLabel(const char* objectName, const QString& text) {
    QLabel* label = makeLabel(objectName, text);
    label->setAlignment(Qt::AlignCenter);
    label->setStyleSheet(QStringLiteral("font-size: 16px; font-weight: bold;"));
    return label;
}

}  // namespace pages
