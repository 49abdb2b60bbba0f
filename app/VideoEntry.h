#pragma once

#include <QDateTime>
#include <QString>
#include <QtGlobal>

#include <optional>

// One row of the library: a catalogue entry as the file system describes it.
struct VideoEntry {
    QString path;          // as stored in the catalogue
    QString creationDate;  // "yyyy-MM-dd HH:mm:ss", local time
    quint64 fileSize = 0;  // bytes
    bool available = true; // false while its folder is missing (a card not mounted)
};

// The entry for the file at path; none when it does not exist or cannot be
// reached. Files without a recorded birth time give their modification time.
std::optional<VideoEntry> getFileAttribute(const QString& path);

// "yyyy-MM-dd HH:mm:ss" in en_US and the local time zone.
QString stringFromDate(const QDateTime& date);

// Bytes with one decimal in binary units: "1023.0B", "1.0K", "1.0M", "1.0G".
QString getSizeString(quint64 bytes);
