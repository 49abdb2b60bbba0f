#include "ClipImport.h"

#include "ClipProbe.h"
#include "DroppedFiles.h"
#include "LibraryFormats.h"
#include "VideoCatalogue.h"

#include <QFile>
#include <QFileInfo>
#include <QUrl>
#include <QtConcurrent/QtConcurrentRun>

namespace {

// A save a batch: few enough writes of the catalogue for a card of a
// thousand clips, and little to read again after a crash.
constexpr int kClipsPerSave = 50;
// The worker's walk may take a whole card; only a runaway tree is cut.
constexpr int kMaxWalkedVideos = 100000;
constexpr int kMaxWalkedEntries = 2000000;

QStringList VideosIn(const QStringList& paths, const std::atomic<bool>& stop) {
    QList<QUrl> urls;
    for (const QString& path : paths) urls << QUrl::fromLocalFile(path);
    QStringList videos;
    for (const QString& path : CollectDroppedFiles(urls, kMaxWalkedVideos, kMaxWalkedEntries, &stop).paths) {
        const QFileInfo file(path);
        if (file.isFile() && IsLibraryVideoName(path)) videos << file.absoluteFilePath();
    }
    return videos;
}

}  // namespace

ClipImport::ClipImport(VideoCatalogue& catalogue, ClipCache& cache, QObject* parent)
    : QObject(parent), catalogue(catalogue), cache(cache) {}

ClipImport::~ClipImport() {
    cancel();
    worker.waitForFinished();
    if (running) commit();
}

void ClipImport::importPaths(const QStringList& paths, const QSet<QString>& known) {
    addToCatalogue = true;
    run(paths, known, true);
}

void ClipImport::refreshCache(const QStringList& videoPaths) {
    addToCatalogue = false;
    run(videoPaths, {}, false);
}

void ClipImport::cancel() {
    if (stop) *stop = true;
}

void ClipImport::run(const QStringList& paths, const QSet<QString>& known, bool walk) {
    if (running) return;
    running = true;
    addedCount = doneCount = 0;
    stop = std::make_shared<std::atomic<bool>>(false);
    worker = QtConcurrent::run([this, paths, known, walk, stop = stop] {
        QStringList clips;
        QSet<QString> seen = known;
        for (const QString& path : walk ? VideosIn(paths, *stop) : paths) {
            if (seen.contains(path)) continue;
            seen.insert(path);
            clips << path;
        }
        const int total = static_cast<int>(clips.size());
        QMetaObject::invokeMethod(this, [this, total] { emit found(total); }, Qt::QueuedConnection);
        for (const QString& path : std::as_const(clips)) {
            if (*stop) break;
            const auto stamp = ClipCache::StampOf(path);
            if (!stamp) continue;
            Probed probed{path, *stamp, ProbeDriveClip(QFile::encodeName(path).toStdString())};
            QMetaObject::invokeMethod(this, [this, probed] { take(probed); }, Qt::QueuedConnection);
        }
        QMetaObject::invokeMethod(this, [this] { done(); }, Qt::QueuedConnection);
    });
}

void ClipImport::take(Probed probed) {
    pending << std::move(probed);
    ++doneCount;
    if (pending.size() >= kClipsPerSave) commit();
    // Last: a modal progress dialog handles events while it takes the value.
    emit progress(doneCount);
}

void ClipImport::commit() {
    if (pending.isEmpty()) return;
    QStringList paths;
    for (const Probed& probed : std::as_const(pending)) {
        cache.put(probed.path, probed.stamp, probed.clip);
        paths << probed.path;
    }
    // The cache first: a clip in the catalogue is then never one read again.
    cache.save();
    if (addToCatalogue) catalogue.importVideos(paths);
    addedCount += static_cast<int>(paths.size());
    pending.clear();
}

void ClipImport::done() {
    commit();
    running = false;
    emit finished(*stop);
}
