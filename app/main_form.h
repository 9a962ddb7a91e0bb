#pragma once
// The main window: ten tabs of tool pages, the cover and help pages, the
// quick calculator, and the page state they share.
#include <QMainWindow>
#include <memory>

#include "app/page_state.h"

class QTabWidget;
class UiServices;
class LongWorkRunner;

class MainForm : public QMainWindow {
    Q_OBJECT
public:
    // `ui` must outlive the window.
    explicit MainForm(UiServices& ui, QWidget* parent = nullptr);
    ~MainForm() override;

    PageState& pageState() { return state_; }
    LongWorkRunner& longWork() { return *work_; }
    QTabWidget* tabs() const { return tabs_; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    UiServices& ui_;
    PageState state_;
    LongWorkRunner* work_;
    QTabWidget* tabs_;
};

// The text of the window caption.
QString mainWindowCaption();
