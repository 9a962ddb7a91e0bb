#include "widgets/result_view.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QFontDatabase>
#include <QFontMetricsF>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QSaveFile>
#include <QScrollBar>
#include <QStyle>
#include <algorithm>
#include <cmath>

#include "widgets/formula_field.h"
#include "widgets/number_box.h"
#include "widgets/ui_services.h"

namespace {
constexpr int kMargin = 4;
}  // namespace

ResultView::ResultView(int lines, QWidget* parent) : QAbstractScrollArea(parent), lines_(std::max(1, lines)) {
    // Digits, sign and point all one width: a line break is a multiple of it.
    QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    fixed.setPointSizeF(font().pointSizeF());
    // Whole pixels per character, so that a column is a multiple of them.
    const qreal advance = QFontMetricsF(fixed).horizontalAdvance(u'0');
    fixed.setLetterSpacing(QFont::AbsoluteSpacing, std::ceil(advance) - advance);
    setFont(fixed);
    setFocusPolicy(Qt::StrongFocus);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    viewport()->setCursor(Qt::IBeamCursor);
    viewport()->setBackgroundRole(QPalette::Base);
    relayout();
}

int ResultView::charWidth() const {
    return std::max(1, qRound(QFontMetricsF(font()).horizontalAdvance(u'0')));
}

int ResultView::lineHeight() const {
    return std::max(1, fontMetrics().lineSpacing());
}

QSize ResultView::minimumSizeHint() const {
    return {10 * charWidth(), lines_ * lineHeight() + 2 * kMargin + 2 * frameWidth()};
}

QSize ResultView::sizeHint() const {
    return {40 * charWidth(), minimumSizeHint().height()};
}

qsizetype ResultView::lineCount() const {
    return std::max<qsizetype>(1, (text_.size() + perLine_ - 1) / perLine_);
}

QStringView ResultView::lineText(qsizetype line) const {
    const qsizetype at = line * perLine_;
    if (line < 0 || at >= text_.size()) return {};
    return QStringView(text_).mid(at, perLine_);
}

void ResultView::setText(QString text) {
    text_ = std::move(text);
    anchor_ = cursor_ = 0;
    selecting_ = false;
    // A screen reader gets the start and the length, not millions of digits.
    constexpr qsizetype kPreview = 64;
    setAccessibleDescription(
        text_.size() <= kPreview
            ? text_
            : QStringLiteral("%1…（共%2个字符）").arg(QStringView(text_).left(kPreview)).arg(text_.size()));
    relayout();
    verticalScrollBar()->setValue(0);
    viewport()->update();
    emit textChanged();
}

// Breaks the lines at the present width, keeping the first visible character
// in view. The scroll bar's room is always kept, so its showing up never
// changes the breaks.
void ResultView::relayout() {
    const int scrollBar = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
    const int usable = width() - 2 * frameWidth() - scrollBar - 2 * kMargin;
    const qsizetype firstShown = verticalScrollBar()->value() * perLine_;
    perLine_ = std::max(1, usable / charWidth());
    const int visible = std::max(1, (viewport()->height() - 2 * kMargin) / lineHeight());
    const qsizetype maximum = std::max<qsizetype>(0, lineCount() - visible);
    verticalScrollBar()->setRange(0, static_cast<int>(std::min<qsizetype>(maximum, std::numeric_limits<int>::max())));
    verticalScrollBar()->setPageStep(visible);
    verticalScrollBar()->setSingleStep(1);
    verticalScrollBar()->setValue(static_cast<int>(firstShown / perLine_));
}

void ResultView::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    relayout();
}

void ResultView::changeEvent(QEvent* event) {
    QAbstractScrollArea::changeEvent(event);
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange) relayout();
}

void ResultView::paintEvent(QPaintEvent*) {
    QPainter painter(viewport());
    const QPalette& colours = palette();
    const int height = lineHeight(), width = charWidth();
    const int ascent = fontMetrics().ascent();
    const qsizetype from = std::min(anchor_, cursor_), to = std::max(anchor_, cursor_);
    const qsizetype first = verticalScrollBar()->value();
    const int rows = viewport()->height() / height + 1;
    for (int row = 0; row < rows; ++row) {
        const qsizetype line = first + row;
        const QStringView shown = lineText(line);
        if (shown.isEmpty()) break;
        const int top = kMargin + row * height;
        const qsizetype start = line * perLine_;
        const qsizetype selFrom = std::clamp(from - start, qsizetype{0}, shown.size());
        const qsizetype selTo = std::clamp(to - start, qsizetype{0}, shown.size());
        const auto draw = [&](qsizetype begin, qsizetype end, QPalette::ColorRole role) {
            if (end <= begin) return;
            painter.setPen(colours.color(role));
            painter.drawText(QPoint(kMargin + static_cast<int>(begin) * width, top + ascent),
                             shown.mid(begin, end - begin).toString());
        };
        if (selTo > selFrom)
            painter.fillRect(kMargin + static_cast<int>(selFrom) * width, top,
                             static_cast<int>(selTo - selFrom) * width, height, colours.brush(QPalette::Highlight));
        draw(0, selFrom, QPalette::Text);
        draw(selFrom, selTo, QPalette::HighlightedText);
        draw(selTo, shown.size(), QPalette::Text);
    }
}

qsizetype ResultView::positionAt(QPoint point) const {
    const qsizetype line =
        std::clamp<qsizetype>(verticalScrollBar()->value() + (point.y() - kMargin) / lineHeight(), 0, lineCount() - 1);
    const qsizetype column = std::clamp<qsizetype>(std::lround(double(point.x() - kMargin) / charWidth()), 0, perLine_);
    return std::min(text_.size(), line * perLine_ + column);
}

void ResultView::selectAll() {
    anchor_ = 0;
    cursor_ = text_.size();
    viewport()->update();
}

QString ResultView::selectedText() const {
    const qsizetype from = std::min(anchor_, cursor_);
    return text_.mid(from, std::max(anchor_, cursor_) - from);
}

void ResultView::copy() const {
    // The whole text is shared with the clipboard, not copied.
    if (anchor_ != cursor_)
        QApplication::clipboard()->setText(anchor_ == 0 && cursor_ == text_.size() ? text_ : selectedText());
}

void ResultView::keyPressEvent(QKeyEvent* event) {
    if (event->matches(QKeySequence::SelectAll)) return selectAll();
    if (event->matches(QKeySequence::Copy)) return copy();
    if (event->matches(QKeySequence::MoveToStartOfDocument)) return verticalScrollBar()->setValue(0);
    if (event->matches(QKeySequence::MoveToEndOfDocument))
        return verticalScrollBar()->setValue(verticalScrollBar()->maximum());
    QAbstractScrollArea::keyPressEvent(event);  // arrows and pages scroll
}

void ResultView::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return QAbstractScrollArea::mousePressEvent(event);
    cursor_ = positionAt(event->position().toPoint());
    if (!(event->modifiers() & Qt::ShiftModifier)) anchor_ = cursor_;
    selecting_ = true;
    viewport()->update();
}

void ResultView::mouseMoveEvent(QMouseEvent* event) {
    if (!selecting_) return;
    const QPoint at = event->position().toPoint();
    // Dragging past an edge scrolls on.
    if (at.y() < 0) verticalScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepSub);
    else if (at.y() > viewport()->height()) verticalScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    cursor_ = positionAt(at);
    viewport()->update();
}

void ResultView::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !selecting_) return QAbstractScrollArea::mouseReleaseEvent(event);
    selecting_ = false;
    QClipboard* clipboard = QApplication::clipboard();
    if (anchor_ != cursor_ && clipboard->supportsSelection()) clipboard->setText(selectedText(), QClipboard::Selection);
}

void ResultView::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) selectAll();  // a number is one word
}

void ResultView::contextMenuEvent(QContextMenuEvent* event) {
    auto* menu = new QMenu(this);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    QAction* copying = menu->addAction(QStringLiteral("复制"), this, &ResultView::copy);
    copying->setObjectName(QStringLiteral("edit-copy"));
    copying->setShortcut(QKeySequence::Copy);
    copying->setEnabled(anchor_ != cursor_);
    QAction* all = menu->addAction(QStringLiteral("全选"), this, &ResultView::selectAll);
    all->setObjectName(QStringLiteral("select-all"));
    all->setShortcut(QKeySequence::SelectAll);
    all->setEnabled(!text_.isEmpty());
    if (ui_) {
        menu->addSeparator();
        QAction* save = menu->addAction(QStringLiteral("保存到文件…"), this, [this] { saveToFile(*ui_); });
        save->setObjectName(QStringLiteral("save-to-file"));
        save->setEnabled(!text_.isEmpty());
    }
    for (QAction* action : menu->actions()) action->setShortcutVisibleInContextMenu(true);
    menu->popup(event->globalPos());
}

void ResultView::saveToFile(UiServices& ui) {
    const std::optional<QString> path =
        ui.saveFileName(window(), QStringLiteral("保存到文件"), QStringLiteral("结果.txt"));
    if (!path || path->isEmpty()) return;
    if (const auto failure = saveText(*path, text_))
        ui.message(window(), QStringLiteral("无法保存到文件 %1：%2").arg(*path, *failure));
}

std::optional<QString> saveText(const QString& path, const QString& text) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) return file.errorString();
    constexpr qsizetype kPiece = qsizetype{1} << 20;
    for (qsizetype at = 0; at < text.size(); at += kPiece) {
        const QByteArray piece = QStringView(text).mid(at, kPiece).toLatin1();
        if (file.write(piece) != piece.size()) return file.errorString();  // the temporary file is dropped
    }
    if (file.write("\n", 1) != 1 || !file.commit()) return file.errorString();
    return std::nullopt;
}

ResultView* makeResultBox(const char* objectName, const QString& initial, UiServices& ui, int lines) {
    auto* box = new ResultView(lines);
    box->setObjectName(QString::fromLatin1(objectName));
    box->setUiServices(&ui);
    box->setText(initial);
    return box;
}

void setResultText(ResultView* box, QString text) {
    box->setText(std::move(text));
}

const QString& resultText(const ResultView* box) {
    return box->text();
}

qsizetype resultLength(const ResultView* box) {
    return box->text().size();
}

QLayout* makeLengthRow(const char* buttonName, const char* boxName, const char* captionName, ResultView* result) {
    auto* button = new QPushButton(QStringLiteral("结果长度"));
    button->setObjectName(QString::fromLatin1(buttonName));
    QLineEdit* lengthBox = makeInputBox(boxName, QString());
    lengthBox->setReadOnly(true);
    lengthBox->setMaximumWidth(120);
    auto* caption = new QLabel(QStringLiteral("位数"));
    caption->setObjectName(QString::fromLatin1(captionName));
    QObject::connect(button, &QPushButton::clicked, lengthBox,
                     [result, lengthBox] { showText(lengthBox, QString::number(resultLength(result))); });
    QObject::connect(result, &ResultView::textChanged, lengthBox, [result, lengthBox] {
        if (!lengthBox->text().isEmpty()) showText(lengthBox, QString::number(resultLength(result)));
    });
    auto* row = new QHBoxLayout;
    row->addStretch(1);
    row->addWidget(button);
    row->addWidget(lengthBox);
    row->addWidget(caption);
    return row;
}
