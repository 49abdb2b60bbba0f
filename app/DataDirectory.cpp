#include "DataDirectory.h"

#include <QDir>
#include <QStandardPaths>

QString DataDirectoryPath() {
    const QStringList documents = QStandardPaths::standardLocations(QStandardPaths::DocumentsLocation);
    const QString documentsDir = documents.isEmpty() ? QDir::homePath() : documents.first();
    return QDir::cleanPath(QDir(documentsDir).filePath(QStringLiteral("Dravik/")));
}
