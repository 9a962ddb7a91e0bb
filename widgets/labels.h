#pragma once
// The captions and frames of the pages: every label a page names is made
// here, so that a caption's object name is set in one way.
#include <QGroupBox>
#include <QLabel>
#include <QString>

// A caption; `objectName` may be null for a caption no one looks up.
inline QLabel* makeLabel(const char* objectName, const QString& caption) {
    auto* label = new QLabel(caption);
    if (objectName) label->setObjectName(QString::fromLatin1(objectName));
    return label;
}

// The frame a page lives in: a titled group box with the page's object name.
inline QGroupBox* makePageFrame(const char* objectName, const QString& caption) {
    auto* frame = new QGroupBox(caption);
    frame->setObjectName(QString::fromLatin1(objectName));
    return frame;
}
