#pragma once
// A read-only view of a result of any length. The text is held once, as it
// came; lines are a fixed number of fixed-width characters, so where a
// character is on screen is arithmetic and only the visible lines are ever
// drawn. Resizing re-wraps at once. Selecting, copying and saving see the
// whole, unbroken text.
#include <QAbstractScrollArea>
#include <QString>
#include <optional>

class QLayout;
class UiServices;

class ResultView final : public QAbstractScrollArea {
    Q_OBJECT

public:
    // `lines`: the least number of lines the view shows.
    explicit ResultView(int lines, QWidget* parent = nullptr);

    const QString& text() const { return text_; }
    void setText(QString text);
    void clear() { setText(QString()); }

    // Characters per line at the present width.
    qsizetype charactersPerLine() const { return perLine_; }
    qsizetype lineCount() const;
    // The characters of line `line` as shown.
    QStringView lineText(qsizetype line) const;

    void selectAll();
    QString selectedText() const;
    void copy() const;
    // Asks for a file name through `ui` and writes the whole text and a
    // final newline there; a failure is reported and leaves the file as it was.
    void saveToFile(UiServices& ui);
    // Where the context menu's save entry asks for a file name.
    void setUiServices(UiServices* ui) { ui_ = ui; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

signals:
    void textChanged();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    void relayout();
    qsizetype positionAt(QPoint point) const;
    int charWidth() const;
    int lineHeight() const;

    QString text_;
    int lines_;
    qsizetype perLine_ = 1;
    qsizetype anchor_ = 0;  // selection: [min, max) of anchor and cursor
    qsizetype cursor_ = 0;
    bool selecting_ = false;
    UiServices* ui_ = nullptr;
};

// Writes `text` and a newline to `path` through a temporary file renamed
// over it at the end. On failure the reason, and `path` is untouched.
std::optional<QString> saveText(const QString& path, const QString& text);

// A read-only, scrollable result box that holds tens of millions of digits
// without slowing the window; its context menu copies, selects all and saves
// the whole text to a file (asking through `ui`).
ResultView* makeResultBox(const char* objectName, const QString& initial, UiServices& ui, int lines = 3);

// Shows `text` in a result box.
void setResultText(ResultView* box, QString text);
// The whole text.
const QString& resultText(const ResultView* box);
// Its character count.
qsizetype resultLength(const ResultView* box);

// The row under a long result: the "结果长度" button, the box it fills with
// the result's character count, and the caption "位数", to the right. A
// count shown follows the result when it changes.
QLayout* makeLengthRow(const char* buttonName, const char* boxName, const char* captionName, ResultView* result);
