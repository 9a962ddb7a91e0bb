#include <QApplication>
#include <QDesktopServices>
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

void QtUiServices::beep() { QApplication::beep(); }

void QtUiServices::openAddress(const QString& address) {
    QDesktopServices::openUrl(QUrl(address));
}
