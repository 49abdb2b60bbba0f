#pragma once

#include "CatalogueDocument.h"
#include "VideoEntry.h"

#include <QList>
#include <QString>

#include <optional>

// The library catalogue file ("videos.xml"): read afresh by every operation,
// written back pretty-printed and atomically after every change. A file that
// cannot be read, even leniently, is never written over: the user may still
// mend it by hand.
class VideoCatalogue {
public:
    explicit VideoCatalogue(QString filePath) : path(std::move(filePath)) {}

    const QString& filePath() const { return path; }

    // Appends videoPath unless it is already there (exact comparison); makes
    // the file when there is none yet.
    void importVideo(const QString& videoPath);
    // The entries whose file exists, in catalogue order. The others leave the
    // catalogue, which is saved whenever it could be read.
    QList<VideoEntry> refresh();
    // Removes the entries for videoPath and saves.
    void removeVideo(const QString& videoPath);

    // Writes the document to filePath atomically; logs failures.
    static bool saveXMLFile(const QString& filePath, const CatalogueDocument& document);

private:
    enum class Read { Missing, Unreadable, Read };
    struct ReadResult {
        Read status = Read::Missing;
        std::optional<CatalogueDocument> document;
    };

    ReadResult read() const;
    // Saves, first keeping the original bytes of a file that needed repair.
    void save(const CatalogueDocument& document) const;

    QString path;
};
