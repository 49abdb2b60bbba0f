#include "VideoEntry.h"

#include <QFileInfo>
#include <QLocale>

std::optional<VideoEntry> getFileAttribute(const QString& path) {
    const QFileInfo info(path);
    if (!info.exists()) return std::nullopt;
    const QDateTime born = info.birthTime();
    return VideoEntry{path, stringFromDate(born.isValid() ? born : info.lastModified()),
                      static_cast<quint64>(info.size())};
}

QString stringFromDate(const QDateTime& date) {
    static const QLocale kDateLocale(QLocale::English, QLocale::UnitedStates);
    return kDateLocale.toString(date.toLocalTime(), QStringLiteral("yyyy-MM-dd HH:mm:ss"));
}

QString getSizeString(quint64 bytes) {
    constexpr quint64 kKiB = 1024;
    constexpr quint64 kMiB = kKiB * 1024;
    constexpr quint64 kGiB = kMiB * 1024;
    const auto format = [bytes](quint64 unit, char suffix) {
        return QString::asprintf("%.01f%c", static_cast<double>(bytes) / static_cast<double>(unit), suffix);
    };
    if (bytes >= kGiB) return format(kGiB, 'G');
    if (bytes >= kMiB) return format(kMiB, 'M');
    if (bytes >= kKiB) return format(kKiB, 'K');
    return format(1, 'B');
}
