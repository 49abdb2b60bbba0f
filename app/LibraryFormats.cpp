#include "LibraryFormats.h"

#include <QCoreApplication>
#include <QFileInfo>

QStringList LibraryVideoExtensions() {
    // Read for GPS data, then played only.
    return {QStringLiteral("MOV"), QStringLiteral("MP4"), QStringLiteral("3GP"), QStringLiteral("AVI"),
            QStringLiteral("TS"),  QStringLiteral("M2TS"), QStringLiteral("MTS"), QStringLiteral("MKV"),
            QStringLiteral("M4V"), QStringLiteral("WEBM")};
}

bool IsLibraryVideoName(const QString& path) {
    return LibraryVideoExtensions().contains(QFileInfo(path).suffix().toUpper());
}

QString LibraryVideoFilter() {
    QStringList patterns;
    for (const QString& extension : LibraryVideoExtensions()) {
        QString pattern = QStringLiteral("*.");
        // The panel matches case-sensitively: one class per letter.
        for (QChar c : extension) pattern += c.isLetter() ? QStringLiteral("[%1%2]").arg(c, c.toLower()) : QString(c);
        patterns << pattern;
    }
    return QStringLiteral("%1 (%2)").arg(QCoreApplication::translate("LibraryFormats", "Videos"), patterns.join(u' '));
}
