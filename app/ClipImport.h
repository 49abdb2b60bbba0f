#pragma once

#include "ClipCache.h"

#include <QFuture>
#include <QObject>
#include <QSet>
#include <QStringList>

#include <atomic>
#include <memory>

class VideoCatalogue;

// Brings clips into the library off the window's thread: folders are walked
// with their subfolders, each new clip's times are read cheaply (the probe)
// and the clips go into the catalogue and the clip cache a batch at a time,
// in the order found. Cancelled or not, what was added is saved, so the
// library is whole at every moment.
class ClipImport : public QObject {
    Q_OBJECT

public:
    ClipImport(VideoCatalogue& catalogue, ClipCache& cache, QObject* parent = nullptr);
    // Cancels and waits for the worker; the clips it handed over are kept.
    ~ClipImport() override;

    // Adds the files and the videos in the folders, except those in known.
    void importPaths(const QStringList& paths, const QSet<QString>& known);
    // Reads clips already in the library into the cache only.
    void refreshCache(const QStringList& videoPaths);
    void cancel();
    bool isRunning() const { return running; }
    // Clips added to the catalogue by the last import.
    int added() const { return addedCount; }

signals:
    // The walk is over: this many clips are to be read.
    void found(int total);
    void progress(int done);
    void finished(bool cancelled);

private:
    struct Probed {
        QString path;
        ClipCache::Stamp stamp;
        DriveClip clip;
    };
    void run(const QStringList& paths, const QSet<QString>& known, bool walk);
    void take(Probed probed);
    void commit();
    void done();

    VideoCatalogue& catalogue;
    ClipCache& cache;
    bool addToCatalogue = true;
    bool running = false;
    int addedCount = 0;
    int doneCount = 0;
    std::shared_ptr<std::atomic<bool>> stop;
    QFuture<void> worker;
    QList<Probed> pending;
};
