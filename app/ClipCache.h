#pragma once

#include "DriveClip.h"

#include <QHash>
#include <QSet>
#include <QString>

#include <optional>

// What was learnt of each clip of the library (its times, length, distance),
// kept beside the catalogue so that opening the library never reads a clip
// again. An entry holds while the file keeps its size and modification time.
class ClipCache {
public:
    struct Stamp {
        qint64 size = 0;
        qint64 modifiedMs = 0;
        bool operator==(const Stamp&) const = default;
    };

    explicit ClipCache(QString filePath = QString()) : path(std::move(filePath)) {}

    // The file's stamp; none when it cannot be reached.
    static std::optional<Stamp> StampOf(const QString& videoPath);

    // Reads the file; a missing, damaged or foreign one gives an empty cache.
    void load();
    // Writes it whole or not at all; false when it could not be written.
    bool save() const;

    // The clip as cached, when the file still has that stamp.
    std::optional<DriveClip> find(const QString& videoPath, const Stamp& stamp) const;
    void put(const QString& videoPath, const Stamp& stamp, const DriveClip& clip);
    // Forgets the clips not in paths; true when any went.
    bool keepOnly(const QSet<QString>& paths);
    qsizetype size() const { return entries.size(); }

private:
    struct Entry {
        Stamp stamp;
        DriveClip clip;
    };
    QString path;
    QHash<QString, Entry> entries;
};
