#include "DroppedFiles.h"

#include "LibraryFormats.h"

#include <QDirIterator>
#include <QFileInfo>

DroppedFiles CollectDroppedFiles(const QList<QUrl>& urls, int maxVideos, int maxEntries,
                                 const std::atomic<bool>* stop) {
    DroppedFiles dropped;
    int videosLeft = maxVideos;
    for (const QUrl& url : urls) {
        // Only local files can be played; anything else is named as refused.
        const QString path = url.isLocalFile() ? url.toLocalFile() : url.toDisplayString();
        if (!QFileInfo(path).isDir()) {
            dropped.paths << path;
            continue;
        }
        // Links are not followed, so a link to a parent cannot loop.
        QDirIterator walk(path, QDir::Files | QDir::NoDotAndDotDot | QDir::Hidden, QDirIterator::Subdirectories);
        QStringList videos;
        int entries = 0;
        bool capped = false;
        while (walk.hasNext()) {
            if (stop && *stop) return dropped;
            if (videosLeft == 0 || entries == maxEntries) {
                capped = true;
                break;
            }
            ++entries;
            const QString file = walk.next();
            if (!IsLibraryVideoName(file)) continue;
            videos << file;
            --videosLeft;
        }
        videos.sort();
        dropped.paths << videos;
        if (capped) dropped.cappedFolders << path;
        if (videos.isEmpty() && !capped) dropped.emptyFolders << path;
    }
    return dropped;
}
