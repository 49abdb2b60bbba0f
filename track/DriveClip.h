#pragma once

#include "ClipName.h"

#include <chrono>
#include <optional>
#include <string>

// Where a clip's start time was found, most trusted first.
enum class ClipTimeSource { GPS, FileName, Container, FileTime };

const char* TimeSourceName(ClipTimeSource source);

// One video file as the drive grouping sees it.
struct DriveClip {
    using TimePoint = std::chrono::system_clock::time_point;

    std::string path;
    CameraChannel channel = CameraChannel::Front;
    TimePoint start;
    double durationMs = 0;  // 0 when neither the container nor the GPS data tells
    ClipTimeSource timeSource = ClipTimeSource::FileTime;
    // The file name's date and time in the local zone, kept to line up the
    // clocks of clips whose GPS runs on UTC with clips that have only a name.
    std::optional<TimePoint> fileNameTime;
    // The GPS time and the file name disagreed by more than any time zone
    // explains; the name was taken.
    bool clockJump = false;
    std::optional<double> distanceM;  // of the clip's track, when it was loaded

    TimePoint end() const;
};

// What a clip's file tells about its times, gathered before deciding.
struct ClipTimeClues {
    using TimePoint = DriveClip::TimePoint;

    std::optional<TimePoint> firstFix, lastFix;  // on the instant the records' clock gives
    size_t fixCount = 0;
    std::optional<TimePoint> fileNameTime;
    std::optional<TimePoint> containerCreation;
    double containerDurationS = 0;
    std::optional<TimePoint> modificationTime;
};

// Start from the GPS fixes, else the file name, else the container, else the
// file's modification time (taken as the end of recording when the duration
// is known); duration from the container, else the span of the fixes.
void DecideClipTimes(const ClipTimeClues& clues, DriveClip& clip);

struct TrackLoad;

// The clip of path whose track is load: its name, movie or AVI header and
// modification time are read as well. A load that is only the start of the
// track (wholeTrack false) gives the first fix but no span or distance.
DriveClip DriveClipOf(const std::string& path, const TrackLoad& load, bool wholeTrack = true);

// Reads path's track (side file or embedded data), its name, its movie header
// and its modification time. Never fails: a file that cannot be read is a clip
// of unknown duration at the epoch.
DriveClip ReadDriveClip(const std::string& path);
