#pragma once

#include "ClipCache.h"
#include "Drives.h"
#include "VideoEntry.h"

#include <QList>
#include <QStringList>

#include <vector>

struct LibraryDrives {
    std::vector<Drive> drives;  // newest first
    QStringList unread;         // clips the cache does not know as they are now
};

// The library's clips as drives: each clip as the cache knows it while its
// file is unchanged, else by its name and file time alone, without opening it.
LibraryDrives GroupLibrary(const QList<VideoEntry>& videos, const ClipCache& cache);
