#pragma once
// Reading a box that must hold one number before a button converts it.
#include <QLineEdit>
#include <optional>

#include "numtools/units.h"
#include "pages/page_context.h"
#include "widgets/ui_services.h"

// The box's value when its whole text is one number; otherwise asks the user
// for a number, puts the focus back into the box and gives nothing.
inline std::optional<double> requireNumber(QLineEdit* box, const PageContext& context) {
    const std::optional<double> value = numerelle::numtools::readNumber(box->text().toStdString());
    if (!value) {
        context.ui.message(context.window, QStringLiteral("请先在框里输入一个数！"));
        box->setFocus(Qt::OtherFocusReason);
    }
    return value;
}
