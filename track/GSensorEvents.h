#pragma once

#include "GPSPoint.h"

#include <vector>

// A jolt of the drive: hard braking, an impact, a pothole.
struct GSensorEvent {
    double time = 0;       // milliseconds since the track's start, at the strongest reading
    double magnitude = 0;  // g, beyond the car's resting reading
};

// Peaks closer than this are one jolt (a pothole shakes for a second or so).
constexpr double kGSensorEventMergeMs = 2000;

// The jolts of a drive in time order: readings whose distance from the
// resting reading exceeds thresholdG. The resting reading is each axis's
// median over the drive, which takes out gravity and how the camera is
// mounted whatever the camera stores. Peaks less than mergeMs after the
// previous peak join its event, which keeps the strongest moment.
std::vector<GSensorEvent> FindGSensorEvents(const std::vector<GPSPoint>& points, double thresholdG,
                                            double mergeMs = kGSensorEventMergeMs);
