#pragma once

#include <QList>
#include <QStringList>
#include <QUrl>

#include <atomic>

// What a drop of files and folders brings to the library: the files dropped
// themselves, whatever they are, so that the ones refused can be named, and
// the videos found in the folders. A folder's walk stops at a bound, so a
// drop of a whole disk cannot hold the window up for long.
struct DroppedFiles {
    QStringList paths;         // in the order dropped; a folder's videos sorted
    QStringList cappedFolders;  // folders whose walk stopped at the bound
    QStringList emptyFolders;   // folders without a video
};

// maxVideos bounds the videos taken from all folders together; maxEntries
// bounds the entries a folder's walk looks at. Setting stop (from another
// thread) ends the walk at the next entry with what it found so far.
DroppedFiles CollectDroppedFiles(const QList<QUrl>& urls, int maxVideos = 1000, int maxEntries = 100000,
                                 const std::atomic<bool>* stop = nullptr);
