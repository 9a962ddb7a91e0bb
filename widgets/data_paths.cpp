#include "widgets/data_paths.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>

#include "common/data_folder.h"

QString programDataDirectory() {
    return QFile::decodeName(numerelle::programDataFolder().c_str());
}

QString userDataDirectory() {
    const QByteArray overridden = qgetenv("NUMERELLE_USER_DIR");
    QString path = overridden.isEmpty() ? QStandardPaths::writableLocation(QStandardPaths::AppDataLocation)
                                        : QString::fromLocal8Bit(overridden);
    QDir().mkpath(path);
    return path;
}
