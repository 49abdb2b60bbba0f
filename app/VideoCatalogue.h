#pragma once

#include "CatalogueDocument.h"
#include "VideoEntry.h"

#include <QCoreApplication>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

// The library catalogue file ("videos.xml"): read afresh by every operation,
// under a lock file so that another window's saves are merged, not lost, and
// written back pretty-printed and atomically after every change. A file that
// cannot be read, even leniently, is never written over: the user may still
// mend it by hand. Videos the file could not take are kept for the session.
class VideoCatalogue {
    Q_DECLARE_TR_FUNCTIONS(VideoCatalogue)

public:
    enum class Problem {
        None,
        Unreadable,  // the file exists but is no catalogue
        NotSaved,    // the file or its folder cannot be written
    };

    explicit VideoCatalogue(QString filePath = QString()) : path(std::move(filePath)) {}

    const QString& filePath() const { return path; }

    // Appends videoPath unless it is already there (exact comparison); makes
    // the file when there is none yet.
    void importVideo(const QString& videoPath);
    // The same for several, in order, with one read and one save.
    void importVideos(const QStringList& videoPaths);
    // The entries whose file exists, in catalogue order, then the session's.
    // The others leave the catalogue, unless their whole folder is gone (an
    // unmounted card): those stay, unavailable.
    QList<VideoEntry> refresh();
    // Removes the entries for videoPath and saves.
    void removeVideo(const QString& videoPath);
    void removeVideos(const QStringList& videoPaths);

    // The minutes to add to the clip's camera clock; 0 when none is stored.
    int clockOffset(const QString& videoPath);
    // Stores it with the clip's entry; false (with a problem) when the clip
    // is not in the file or the file cannot be written.
    bool setClockOffset(const QString& videoPath, int minutes);

    // What went wrong with the last operation, and why.
    Problem problem() const { return lastProblem; }
    const QString& problemReason() const { return lastReason; }

    // Writes the document to filePath atomically: the old file stays as it
    // was unless every byte reached the new one. Logs failures.
    static bool saveXMLFile(const QString& filePath, const CatalogueDocument& document,
                            QString* reason = nullptr);

private:
    enum class Read { Missing, Unreadable, Read };
    struct ReadResult {
        Read status = Read::Missing;
        std::optional<CatalogueDocument> document;
    };

    ReadResult read();
    // Saves, first keeping the original bytes of a file that needed repair.
    bool save(const CatalogueDocument& document);
    void fail(Problem problem, const QString& reason);

    QString path;
    QStringList sessionPaths;  // added, but not in the file
    Problem lastProblem = Problem::None;
    QString lastReason;
};
