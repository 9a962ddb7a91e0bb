#pragma once
// A window of cells scrolled over a longer store by one or two bars, as the
// matrix, equation and polynomial pages show their numbers: it builds the
// cells and bars, remembers the cell being edited and the element it stood
// for, commits that cell before a scroll, and lets the keyboard walk over the
// whole store. The page keeps the store and says what each cell shows.
#include <QScrollBar>
#include <QString>
#include <QWidget>
#include <cstdint>
#include <functional>
#include <vector>

class QAbstractButton;
class QEvent;
class QGridLayout;
class QKeyEvent;
class QLineEdit;
class UiServices;

// Hidden cells, captions and bars keep their room, so that a page keeps its
// width (and its neighbour on the tab keeps its own) when the order changes.
void keepRoomWhenHidden(QWidget* widget);

// The size of the store a window of cells shows: rows and columns.
struct StoreShape {
    int rows = 0;
    int columns = 0;
};

class ScrolledGrid final : public QWidget {
public:
    // What the window looks like.
    struct Layout {
        int rows = 1;  // cells on screen
        int columns = 1;
        const char* cellName = "";  // cells are cellName_0, cellName_1, … in reading order
        QString initialText;
        const char* rowBarName = nullptr;  // none: a window of one line scrolls sideways only
        const char* columnBarName = "";
        // Room for a caption after each cell (placeCaption); the cells are
        // then a third of a number wide.
        bool captions = false;
    };

    // What the page behind the window does.
    struct Page {
        std::function<StoreShape()> shape;
        std::function<std::int64_t(int)> elementOf;           // of cell i, at the bars' origin
        std::function<void(std::int64_t, QLineEdit*)> store;  // the cell's number into that element
        std::function<void()> refresh;                        // the cells show the store from the bars' origin
        std::function<void(int)> cellLostFocus;
        std::function<void()> beforeScroll;      // optional
        QAbstractButton* enterButton = nullptr;  // Enter in a cell presses it
    };

    ScrolledGrid(const Layout& layout, UiServices& ui);
    // Wires the cells and bars to the page; once, after building the page.
    void attach(Page page);

    QLineEdit* cell(int i) const { return cells_[static_cast<std::size_t>(i)]; }
    const std::vector<QLineEdit*>& cells() const { return cells_; }
    QScrollBar* rowBar() const { return rows_; }  // none on a window of one line
    QScrollBar* columnBar() const { return columns_; }
    // Puts `caption` right of the cell at (row, column) of the window.
    void placeCaption(QWidget* caption, int row, int column);

    // The element the window's corner stands on: the bars' values, and the
    // values the cells were last refreshed from.
    int top() const;
    int left() const;
    int shownTop() const { return shownTop_; }
    int shownLeft() const { return shownLeft_; }
    // Called by a refresh: the cells now show the bars' origin.
    void showingBarsOrigin();

    bool editing() const { return editing_; }
    void stopEditing() { editing_ = false; }
    // Cell i is being edited and stands for its element at the bars' origin.
    void cellGotFocus(int i);
    // Back to the top-left corner without running the bars' handlers.
    void toCorner();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void scrolled();
    bool commitBeforeScroll();
    bool walk(int i, const QKeyEvent& key);
    bool moveTo(int row, int column);

    UiServices& ui_;
    QGridLayout* grid_;
    int windowColumns_;
    std::vector<QLineEdit*> cells_;
    QScrollBar* rows_ = nullptr;
    QScrollBar* columns_ = nullptr;
    Page page_;
    bool editing_ = false;
    int editedCell_ = 0;
    std::int64_t editedIndex_ = 0;
    int shownTop_ = 0, shownLeft_ = 0;
};
