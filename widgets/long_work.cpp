#include "widgets/long_work.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFutureWatcher>
#include <QPointer>
#include <QProgressDialog>
#include <QTimer>
#include <QWidget>
#include <QWindow>
#include <QMouseEvent>
#include <QtConcurrent/QtConcurrentRun>
#include <algorithm>
#include <new>

#include "common/failure.h"
#include "widgets/ui_services.h"

namespace {

// Swallows what the user does to the page of a running job (keys, clicks,
// wheel, drops, committed input-method text) and beeps for a press, so no
// edit is made that the job's result would then overwrite or discard.
class PageInputBlocker final : public QObject {
public:
    PageInputBlocker(QWidget* page, UiServices* ui) : page_(page), ui_(ui) {}

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (!page_) return false;
        // A press reaches the window before its widget, and the window hands
        // the focus to the widget on the way: stop it there already.
        if (qobject_cast<QWindow*>(watched)) {
            switch (event->type()) {
                case QEvent::MouseButtonPress:
                case QEvent::MouseButtonDblClick:
                case QEvent::MouseButtonRelease:
                case QEvent::Wheel: {
                    const auto* pointer = static_cast<QSinglePointEvent*>(event);
                    if (!onPage(widgetAt(static_cast<QWindow*>(watched), pointer->position().toPoint()))) return false;
                    if (event->type() != QEvent::MouseButtonRelease && event->type() != QEvent::Wheel && ui_)
                        ui_->beep();
                    return true;
                }
                default:
                    return false;
            }
        }
        if (!onPage(qobject_cast<QWidget*>(watched))) return false;
        switch (event->type()) {
            case QEvent::KeyPress:
            case QEvent::MouseButtonPress:
            case QEvent::MouseButtonDblClick:
                if (ui_) ui_->beep();
                return true;
            case QEvent::MouseButtonRelease:
            case QEvent::KeyRelease:
            case QEvent::ShortcutOverride:
            case QEvent::Wheel:
            case QEvent::InputMethod:
            case QEvent::DragEnter:
            case QEvent::DragMove:
            case QEvent::Drop:
            case QEvent::ContextMenu:
                return true;
            default:
                return false;
        }
    }

private:
    static QWidget* widgetAt(const QWindow* window, QPoint position) {
        for (QWidget* top : QApplication::topLevelWidgets()) {
            if (top->windowHandle() != window) continue;
            QWidget* child = top->childAt(position);
            return child ? child : top;
        }
        return nullptr;
    }
    bool onPage(const QWidget* widget) const { return widget && (widget == page_ || page_->isAncestorOf(widget)); }

    QPointer<QWidget> page_;
    UiServices* ui_;
};

}  // namespace

struct LongWorkRunner::Job {
    numerelle::WorkControl control;
    QPointer<QWidget> page;  // takes no input while the job runs
    std::unique_ptr<PageInputBlocker> blocker;
    QPointer<QWidget> focusBefore;  // where the focus was when the job started
    bool pageDisabled = false;

    void blockPage(QWidget* blocked, UiServices* ui) {
        if (!blocked) return;
        page = blocked;
        // A swallowed click can still move the focus (Qt gives it before
        // any filter sees the press), so remember where it was at the start.
        QWidget* focus = QApplication::focusWidget();
        if (focus && page->isAncestorOf(focus)) focusBefore = focus;
        blocker = std::make_unique<PageInputBlocker>(blocked, ui);
        qApp->installEventFilter(blocker.get());
    }
    void disablePage() {
        if (!page || pageDisabled || !page->isEnabled()) return;
        pageDisabled = true;
        page->setEnabled(false);
    }
    void unblockPage() {
        blocker.reset();  // removes the filter
        if (!page) return;
        if (pageDisabled) page->setEnabled(true);
        // Disabling (or a swallowed click) moved the focus; give it back.
        if (focusBefore && focusBefore->window() == page->window() && focusBefore->isVisible() &&
            focusBefore->isEnabled())
            focusBefore->setFocus(Qt::OtherFocusReason);
    }
    // Set by the worker when the work threw; read once the future has finished.
    numerelle::FailureKind failure = numerelle::FailureKind::None;
    std::function<void(bool)> apply;
    QFutureWatcher<void> watcher;
    QTimer poll;
    QProgressDialog* dialog = nullptr;
    int elapsedMs = 0;
};

LongWorkRunner::LongWorkRunner(QWidget* window, UiServices* ui) : QObject(window), window_(window), ui_(ui) {}

LongWorkRunner::~LongWorkRunner() {
    if (job_) {
        job_->control.cancel();
        job_->watcher.waitForFinished();
    }
}

bool LongWorkRunner::start(const QString& label, std::function<void(numerelle::WorkControl&)> work,
                           std::function<void(bool cancelled)> apply) {
    if (running_) {
        // A second press while a job runs does nothing; say so.
        if (ui_) ui_->beep();
        return false;
    }
    running_ = true;
    auto job = std::make_shared<Job>();
    job->apply = std::move(apply);
    job_ = job;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    job->blockPage(pageOfJob_ ? pageOfJob_() : nullptr, ui_);

    constexpr int pollMs = 50;
    job->poll.setInterval(pollMs);
    connect(&job->poll, &QTimer::timeout, this, [this, job, label] {
        job->elapsedMs += pollMs;
        if (job->elapsedMs >= disableDelayMs_) job->disablePage();
        if (!job->dialog && job->elapsedMs >= progressDelayMs_) {
            job->dialog = new QProgressDialog(label, QStringLiteral("取消"), 0, 1000, window_);
            job->dialog->setObjectName(QStringLiteral("longWorkProgress"));
            job->dialog->setWindowModality(Qt::WindowModal);
            job->dialog->setMinimumDuration(0);
            job->dialog->setAutoClose(false);
            job->dialog->setAutoReset(false);
            connect(job->dialog, &QProgressDialog::canceled, this, [job] { job->control.cancel(); });
            job->dialog->show();
        }
        if (job->dialog) job->dialog->setValue(job->control.progressPermille());
    });

    connect(&job->watcher, &QFutureWatcher<void>::finished, this, [this, job] {
        job->poll.stop();
        if (job->dialog) {
            job->dialog->hide();
            job->dialog->deleteLater();
            job->dialog = nullptr;
        }
        QApplication::restoreOverrideCursor();
        job->unblockPage();
        running_ = false;
        const bool failed = job->failure != numerelle::FailureKind::None;
        const bool cancelled = job->control.cancelled() || failed;
        if (job_ == job) job_.reset();
        if (failed && ui_) ui_->message(window_, QString::fromStdString(numerelle::failureText(job->failure)));
        job->apply(cancelled);
        emit finished();
    });
    job->poll.start();
    // The job outlives the worker through this shared pointer.
    job->watcher.setFuture(QtConcurrent::run([job, work = std::move(work)] {
        try {
            work(job->control);
        } catch (const std::bad_alloc&) {
            job->failure = numerelle::FailureKind::OutOfMemory;
        } catch (const std::exception&) {
            job->failure = numerelle::FailureKind::Unexpected;
        }
    }));
    return true;
}

void LongWorkRunner::cancel() {
    if (job_) job_->control.cancel();
}

bool LongWorkRunner::waitForIdle(int timeoutMs) {
    QElapsedTimer clock;
    clock.start();
    while (running_) {
        const qint64 left = timeoutMs < 0 ? 100 : std::min<qint64>(100, timeoutMs - clock.elapsed());
        if (left <= 0) break;
        QEventLoop loop;
        connect(this, &LongWorkRunner::finished, &loop, &QEventLoop::quit);
        QTimer::singleShot(static_cast<int>(left), &loop, &QEventLoop::quit);
        loop.exec();
    }
    return !running_;
}
