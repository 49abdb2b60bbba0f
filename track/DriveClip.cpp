#include "DriveClip.h"

#include "AviHeader.h"
#include "Mp4Movie.h"
#include "TrackLoader.h"

#include <cmath>
#include <sys/stat.h>

namespace {

using TimePoint = DriveClip::TimePoint;
using Milliseconds = std::chrono::duration<double, std::milli>;

// UTC offsets reach from -12 h to +14 h: a camera set to local time and a
// receiver on UTC never differ by more. Beyond that one of the clocks is wrong.
constexpr auto kLargestZoneOffset = std::chrono::hours(14);

// Seconds from 1904-01-01 to 1970-01-01, the movie header's epoch to Unix's.
constexpr int64_t kMp4EpochToUnix = 2082844800;
// A creation time before 2000 is an unset camera clock, not a recording date.
constexpr int64_t kEarliestCreation = 946684800;

std::optional<TimePoint> ContainerCreation(uint64_t secondsSince1904) {
    if (secondsSince1904 <= static_cast<uint64_t>(kMp4EpochToUnix + kEarliestCreation)) return std::nullopt;
    // Beyond the year 2200 is no camera's either, and would leave the clock's range.
    constexpr uint64_t kLatest = kMp4EpochToUnix + 7258118400ull;
    if (secondsSince1904 > kLatest) return std::nullopt;
    const int64_t unixSeconds = static_cast<int64_t>(secondsSince1904) - kMp4EpochToUnix;
    return TimePoint(std::chrono::seconds(unixSeconds));
}

TimePoint Later(TimePoint from, double ms) {
    return from + std::chrono::duration_cast<TimePoint::duration>(Milliseconds(ms));
}

}  // namespace

const char* TimeSourceName(ClipTimeSource source) {
    switch (source) {
        case ClipTimeSource::GPS: return "gps";
        case ClipTimeSource::FileName: return "file name";
        case ClipTimeSource::Container: return "container";
        case ClipTimeSource::FileTime: return "file time";
    }
    return "file time";
}

TimePoint DriveClip::end() const { return Later(start, durationMs); }

void DecideClipTimes(const ClipTimeClues& clues, DriveClip& clip) {
    double gpsSpanMs = 0;
    if (clues.firstFix && clues.lastFix && clues.fixCount > 1) {
        const double between = Milliseconds(*clues.lastFix - *clues.firstFix).count();
        // Each fix stands for one interval: n fixes a second apart cover n seconds.
        if (between > 0) gpsSpanMs = between + between / static_cast<double>(clues.fixCount - 1);
    }
    clip.durationMs = clues.containerDurationS > 0 && std::isfinite(clues.containerDurationS)
                          ? clues.containerDurationS * 1000
                          : gpsSpanMs;
    clip.fileNameTime = clues.fileNameTime;
    clip.clockJump = false;
    if (clues.firstFix) {
        const auto apart = *clues.firstFix - clues.fileNameTime.value_or(*clues.firstFix);
        clip.clockJump = apart > kLargestZoneOffset || apart < -kLargestZoneOffset;
        if (!clip.clockJump) {
            clip.start = *clues.firstFix;
            clip.timeSource = ClipTimeSource::GPS;
            return;
        }
    }
    if (clues.fileNameTime) {
        clip.start = *clues.fileNameTime;
        clip.timeSource = ClipTimeSource::FileName;
    } else if (clues.containerCreation) {
        clip.start = *clues.containerCreation;
        clip.timeSource = ClipTimeSource::Container;
    } else {
        const TimePoint written = clues.modificationTime.value_or(TimePoint{});
        clip.start = Later(written, -clip.durationMs);
        clip.timeSource = ClipTimeSource::FileTime;
    }
}

DriveClip ReadDriveClip(const std::string& path) { return DriveClipOf(path, LoadTrack(path)); }

DriveClip DriveClipOf(const std::string& path, const TrackLoad& load, bool wholeTrack) {
    DriveClip clip;
    clip.path = path;
    clip.channel = ClipChannel(path);
    ClipTimeClues clues;

    const auto& points = load.track->pointArray();
    if (load.hasStartTime && !points.empty()) {
        const TimePoint start = load.track->getStartTime();
        clues.firstFix = Later(start, points.front().time);
        clues.lastFix = Later(start, points.back().time);
        clues.fixCount = wholeTrack ? points.size() : 1;
    }
    // A clip without fixes has no distance to tell, rather than none covered.
    if (wholeTrack && !load.track->isEmpty()) clip.distanceM = load.track->getTotalDist();
    if (const auto calendar = FileNameDateTime(path)) clues.fileNameTime = CalendarToTimePoint(*calendar, GPSClock::Local);

    FileByteSource source(path);
    if (source.isOpen()) {
        if (const auto movie = ReadMp4Outline(source)) {
            clues.containerCreation = ContainerCreation(movie->creationTime);
            clues.containerDurationS = movie->duration;
        } else if (const auto seconds = AviDurationSeconds(source)) {
            clues.containerDurationS = *seconds;
        }
    }
    struct stat status {};
    if (::stat(path.c_str(), &status) == 0)
        clues.modificationTime = TimePoint(std::chrono::seconds(status.st_mtim.tv_sec));
    DecideClipTimes(clues, clip);
    return clip;
}
