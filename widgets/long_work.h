#pragma once
// Runs a core computation off the user-interface thread. The busy cursor
// shows at once and the page that asked takes no input until the result is
// applied (it is shown disabled when the work lasts); a progress dialog with
// Cancel appears when the work lasts longer than about half a second; the
// result is applied on the UI thread.
#include <QObject>
#include <QString>
#include <functional>
#include <memory>

#include "common/work_control.h"

class QWidget;
class UiServices;

class LongWorkRunner : public QObject {
    Q_OBJECT
public:
    // `ui` (may be null) tells the user when a job fails with an exception,
    // such as running out of memory.
    explicit LongWorkRunner(QWidget* window, UiServices* ui = nullptr);
    ~LongWorkRunner() override;

    // `work` runs on a worker thread and must only touch what it captured by
    // value; `apply` runs on the UI thread afterwards, with `cancelled` true
    // when the user pressed Cancel or the work failed with an exception (the
    // page then leaves its boxes as they were). One job at a time: while one runs, further
    // requests are ignored with a beep and false is returned.
    bool start(const QString& label, std::function<void(numerelle::WorkControl&)> work,
               std::function<void(bool cancelled)> apply);

    bool busy() const { return running_; }
    // Asks the current job (if any) to stop; its apply step still runs.
    void cancel();
    // Waits until the current job (if any) has finished and been applied, or
    // at most `timeoutMs` when it is not negative; true when no job is left.
    // Used when the window closes and by tests.
    bool waitForIdle(int timeoutMs = -1);

    void setProgressDelayMs(int ms) { progressDelayMs_ = ms; }
    // Which widget takes no input while a job runs: asked when a job starts
    // (the window passes its current tab page). Without it nothing is blocked.
    void setPageOfJob(std::function<QWidget*()> pageOfJob) { pageOfJob_ = std::move(pageOfJob); }
    // How long a job runs before its page is also shown disabled; until
    // then its input is only swallowed, so quick jobs do not flash grey.
    void setDisableDelayMs(int ms) { disableDelayMs_ = ms; }

signals:
    void finished();

private:
    struct Job;
    QWidget* window_;
    UiServices* ui_;
    bool running_ = false;
    int progressDelayMs_ = 500;
    int disableDelayMs_ = 150;
    std::function<QWidget*()> pageOfJob_;
    std::shared_ptr<Job> job_;
};
