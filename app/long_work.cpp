#include "app/long_work.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFutureWatcher>
#include <QProgressDialog>
#include <QTimer>
#include <QWidget>
#include <QtConcurrent/QtConcurrentRun>
#include <algorithm>
#include <new>

#include "app/ui_services.h"

struct LongWorkRunner::Job {
    numerelle::WorkControl control;
    QString failure;  // set by the worker when the work threw
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
    if (running_) return false;
    running_ = true;
    auto job = std::make_shared<Job>();
    job->apply = std::move(apply);
    job_ = job;
    QApplication::setOverrideCursor(Qt::WaitCursor);

    constexpr int pollMs = 50;
    job->poll.setInterval(pollMs);
    connect(&job->poll, &QTimer::timeout, this, [this, job, label] {
        job->elapsedMs += pollMs;
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
        running_ = false;
        const bool failed = !job->failure.isEmpty();
        const bool cancelled = job->control.cancelled() || failed;
        if (job_ == job) job_.reset();
        if (failed && ui_) ui_->message(window_, job->failure);
        job->apply(cancelled);
        emit finished();
    });
    job->poll.start();
    // The job outlives the worker through this shared pointer.
    job->watcher.setFuture(QtConcurrent::run([job, work = std::move(work)] {
        try {
            work(job->control);
        } catch (const std::bad_alloc&) {
            job->failure = QStringLiteral("内存不够，无法完成计算");
        } catch (const std::exception&) {
            job->failure = QStringLiteral("计算时出了错，无法完成");
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
