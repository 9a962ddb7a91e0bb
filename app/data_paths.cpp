#include "app/data_paths.h"

#include <QCoreApplication>
#include <QDir>
#include <QStandardPaths>

QString programDataDirectory() {
    const QByteArray overridden = qgetenv("NUMERELLE_DATA_DIR");
    if (!overridden.isEmpty()) return QString::fromLocal8Bit(overridden);
    return QCoreApplication::applicationDirPath();
}

QString userDataDirectory() {
    const QByteArray overridden = qgetenv("NUMERELLE_USER_DIR");
    QString path = overridden.isEmpty()
                       ? QStandardPaths::writableLocation(QStandardPaths::AppDataLocation)
                       : QString::fromLocal8Bit(overridden);
    QDir().mkpath(path);
    return path;
}
