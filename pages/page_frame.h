#pragma once
// The frame a page lives in: a titled group box with the page's object name.
#include <QGroupBox>
#include <QString>

inline QGroupBox* makePageFrame(const char* objectName, const QString& caption) {
    auto* frame = new QGroupBox(caption);
    frame->setObjectName(QString::fromLatin1(objectName));
    return frame;
}
