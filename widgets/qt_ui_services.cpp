#include <QApplication>
#include <QDesktopServices>
#include <QFileDialog>
#include <QFontMetrics>
#include <QGridLayout>
#include <QInputDialog>
#include <QMessageBox>
#include <QSpacerItem>
#include <QUrl>

#include "widgets/ui_services.h"

namespace {

// Room the window manager takes beside the caption: the icon and the
// minimise, maximise and close buttons.
constexpr int kTitleBarButtonsWidth = 150;

// The boxes carry the program's name as their caption. A box as narrow as
// "式子有问题" gets a title bar too short for it, and the window manager
// elides the name; widen the box so the whole name shows.
void showWholeCaption(QMessageBox& box) {
    const QString caption = QGuiApplication::applicationDisplayName();
    box.setWindowTitle(caption);
    auto* grid = qobject_cast<QGridLayout*>(box.layout());
    if (!grid) return;
    const QFontMetrics metrics(QApplication::font("QMdiSubWindowTitleBar"));
    const int width = metrics.horizontalAdvance(caption) + kTitleBarButtonsWidth;
    grid->addItem(new QSpacerItem(width, 0, QSizePolicy::Fixed, QSizePolicy::Minimum), grid->rowCount(), 0, 1,
                  grid->columnCount());
}

}  // namespace

void QtUiServices::message(QWidget* parent, const QString& text) {
    if (closing()) return;
    QMessageBox box(QMessageBox::NoIcon, QString(), text, QMessageBox::Ok, parent);
    showWholeCaption(box);
    box.exec();
}

bool QtUiServices::confirm(QWidget* parent, const QString& text) {
    if (closing()) return false;
    QMessageBox box(QMessageBox::NoIcon, QString(), text, QMessageBox::Ok | QMessageBox::Cancel, parent);
    showWholeCaption(box);
    return box.exec() == QMessageBox::Ok;
}

std::optional<QString> QtUiServices::input(QWidget* parent, const QString& prompt, const QString& initial) {
    if (closing()) return std::nullopt;
    bool accepted = false;
    QString answer = QInputDialog::getText(parent, QGuiApplication::applicationDisplayName(), prompt, QLineEdit::Normal,
                                           initial, &accepted);
    // A box dismissed because the window closed is no answer.
    if (!accepted || closing()) return std::nullopt;
    return answer;
}

std::optional<QString> QtUiServices::saveFileName(QWidget* parent, const QString& caption, const QString& suggested) {
    if (closing()) return std::nullopt;
    QString path =
        QFileDialog::getSaveFileName(parent, caption, suggested, QStringLiteral("文本文件 (*.txt);;所有文件 (*)"));
    if (path.isEmpty() || closing()) return std::nullopt;
    return path;
}

void QtUiServices::beep() {
    QApplication::beep();
}

void QtUiServices::openAddress(const QString& address) {
    QDesktopServices::openUrl(QUrl(address));
}
