#pragma once
// The main window: ten tabs of tool pages, the cover and help pages, the
// quick calculator, and the page state they share.
#include <QMainWindow>
#include <memory>

#include "pages/pages.h"

class QTabWidget;
class QSize;
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

    // Asks the box that has the focus on the current tab to let it go, as
    // before a change of tab: false when it refuses (a formula field whose
    // formula fails keeps the focus after its message).
    bool releaseFocusedBox();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void focusPageOf(int tab);

    UiServices& ui_;
    PageState state_;
    LongWorkRunner* work_;
    QTabWidget* tabs_;
};

// The text of the window caption.
QString mainWindowCaption();

// The first size of the window: `preferred`, made smaller where the
// available screen area (with room for the window frame) is smaller.
QSize fittedWindowSize(const QSize& preferred, const QSize& available);
