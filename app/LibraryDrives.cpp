#include "LibraryDrives.h"

#include "ClipProbe.h"

#include <QFile>

LibraryDrives GroupLibrary(const QList<VideoEntry>& videos, const ClipCache& cache) {
    LibraryDrives library;
    std::vector<DriveClip> clips;
    clips.reserve(static_cast<size_t>(videos.size()));
    for (const VideoEntry& entry : videos) {
        const auto stamp = ClipCache::StampOf(entry.path);
        if (auto cached = stamp ? cache.find(entry.path, *stamp) : std::nullopt) {
            clips.push_back(std::move(*cached));
            continue;
        }
        clips.push_back(NamedDriveClip(QFile::encodeName(entry.path).toStdString()));
        if (stamp) library.unread << entry.path;
    }
    PutOnGPSClock(clips);
    library.drives = GroupDrives(std::move(clips));
    return library;
}
