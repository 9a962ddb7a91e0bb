#include <QApplication>
#include <QDesktopServices>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QUrl>

#include "app/ui_services.h"

void QtUiServices::message(QWidget* parent, const QString& text) {
    QMessageBox box(QMessageBox::NoIcon, QString(), text, QMessageBox::Ok, parent);
    box.exec();
}

bool QtUiServices::confirm(QWidget* parent, const QString& text) {
    QMessageBox box(QMessageBox::NoIcon, QString(), text,
                    QMessageBox::Ok | QMessageBox::Cancel, parent);
    return box.exec() == QMessageBox::Ok;
}

std::optional<QString> QtUiServices::input(QWidget* parent, const QString& prompt,
                                           const QString& initial) {
    bool accepted = false;
    QString answer = QInputDialog::getText(parent, QString(), prompt, QLineEdit::Normal,
                                           initial, &accepted);
    if (!accepted) return std::nullopt;
    return answer;
}

std::optional<QString> QtUiServices::saveFileName(QWidget* parent, const QString& caption,
                                                 const QString& suggested) {
    QString path = QFileDialog::getSaveFileName(parent, caption, suggested,
                                                QStringLiteral("文本文件 (*.txt);;所有文件 (*)"));
    if (path.isEmpty()) return std::nullopt;
    return path;
}

void QtUiServices::beep() { QApplication::beep(); }

void QtUiServices::openAddress(const QString& address) {
    QDesktopServices::openUrl(QUrl(address));
}
