#pragma once
// Running a handler when a box gets the focus from the user (clicking, Tab),
// not when the window is activated again or a popup closes.
#include <QEvent>
#include <QFocusEvent>
#include <QObject>
#include <QWidget>
#include <functional>

class FocusGainFilter final : public QObject {
public:
    FocusGainFilter(QWidget* box, std::function<void()> handler) : QObject(box), handler_(std::move(handler)) {}
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::FocusIn) {
            const auto reason = static_cast<QFocusEvent*>(event)->reason();
            if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason) handler_();
        }
        return false;
    }

private:
    std::function<void()> handler_;
};

inline void onFocusGained(QWidget* box, std::function<void()> handler) {
    box->installEventFilter(new FocusGainFilter(box, std::move(handler)));
}
