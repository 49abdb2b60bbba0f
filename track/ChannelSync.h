#pragma once

#include "DriveTimeline.h"
#include "Drives.h"

#include <optional>

// Where another camera of a drive was at a moment of the leading one: both
// channels' clips are placed by their start instants, so clips that do not
// start together, or a channel with a gap, still line up.
class ChannelSync {
public:
    // The drive's durations must be known (those its timelines are built from).
    ChannelSync(const Drive& drive, size_t otherChannel);

    const DriveTimeline& otherTimeline() const { return other; }

    // The other channel's timeline time for the leading one's leadMs; none
    // when the other camera recorded nothing at that instant.
    std::optional<double> otherTime(double leadMs) const;

private:
    using Ms = std::chrono::duration<double, std::milli>;
    std::vector<Ms> leadStarts, otherStarts;  // from the drive's start
    DriveTimeline lead, other;
};
