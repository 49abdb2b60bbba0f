#pragma once

#include "Drives.h"
#include "TrackLoader.h"

#include <cstddef>
#include <optional>
#include <vector>

// A drive's clips played back to back on one clock, drive time in milliseconds
// from the start of the first clip. A single clip is a drive of one.
class DriveTimeline {
public:
    struct ClipTime {
        size_t clip = 0;
        double offsetMs = 0;  // from the start of that clip
    };

    // Durations that are not positive numbers count as 0: such a clip takes no
    // time on the timeline.
    explicit DriveTimeline(const std::vector<double>& clipDurationsMs);
    // The leading channel's clips of the drive.
    explicit DriveTimeline(const Drive& drive);

    size_t clipCount() const { return clipStarts.size(); }
    double totalDuration() const { return total; }
    double clipStart(size_t clip) const { return clipStarts[clip]; }
    double clipDuration(size_t clip) const;

    // The clip playing at driveMs and how far into it; a time at a clip's end
    // is the next clip's start. Before 0 it is the first clip's start, at or
    // after the end the last clip's end. None when there is no clip.
    std::optional<ClipTime> locate(double driveMs) const;
    // The drive time of offsetMs into clip; the offset is kept within the clip.
    double driveTime(size_t clip, double offsetMs) const;

private:
    std::vector<double> clipStarts;
    double total = 0;
};

// The clips' tracks as one track in drive time: each clip's points move by the
// clip's start on the timeline, and a fix after its clip's end (or before a
// fix already placed) is left out, so times never run backwards. Distances and
// figures are recomputed over the whole drive. The start time is the first
// dated clip's track start less that clip's place on the timeline. tracks[i]
// belongs to clip i; missing or empty ones add nothing.
TrackLoad JoinTracks(const DriveTimeline& timeline, const std::vector<TrackLoad>& tracks);
