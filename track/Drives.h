#pragma once

#include "DriveClip.h"

#include <chrono>
#include <optional>
#include <vector>

// One camera's clips of a drive, in time order.
struct ChannelClips {
    CameraChannel channel = CameraChannel::Front;
    std::vector<DriveClip> clips;
};

// Clips recorded back to back: the leading channel (front when there is one)
// and the other cameras that recorded alongside it.
struct Drive {
    using TimePoint = DriveClip::TimePoint;

    std::vector<ChannelClips> channels;  // the leading channel first
    TimePoint start;                     // earliest start of any channel's clip
    TimePoint end;                       // latest end
    // Sum of the leading channel's clip distances that are known; none when no
    // clip's distance is.
    std::optional<double> distanceM;

    const std::vector<DriveClip>& clips() const { return channels.front().clips; }
    double durationMs() const;
    // The local calendar date of the start.
    CalendarTime date() const;
};

// Clips of one channel whose gap from one clip's end to the next one's start is
// at most this are one drive.
inline constexpr std::chrono::seconds kDriveGap{60};

// Lines up clips whose time came from the file name with those whose GPS gave
// it: cameras name files on their local clock while many receivers give UTC.
// The offset is the one seen most often between the two on clips that carry
// both, rounded to a quarter hour; without such a clip nothing moves.
void PutOnGPSClock(std::vector<DriveClip>& clips);

// Groups each channel's clips into drives, then joins a rear or interior drive
// to the front drive it overlaps most, as a further channel. Newest first.
std::vector<Drive> GroupDrives(std::vector<DriveClip> clips);
