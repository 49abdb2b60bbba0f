#include "LibraryFormats.h"

#include "GPSReader.h"

#include <QCoreApplication>
#include <QFileInfo>

QStringList LibraryVideoExtensions() {
    QStringList extensions;
    for (const std::string& extension : VideoExtensions()) extensions << QString::fromStdString(extension);
    // Played, with no GPS reader of their own.
    for (const char* played : {"M2TS", "MTS", "MKV", "M4V", "WEBM"}) {
        if (!extensions.contains(QLatin1String(played))) extensions << QLatin1String(played);
    }
    return extensions;
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
