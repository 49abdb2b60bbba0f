#pragma once

#include "GPSReader.h"

#include <cstdint>
#include <vector>

// A phone's GPX log beside the clip (<base>.gpx): the track points that fall
// within the clip's time span, or all of them when the span is unknown.
bool RecogniseGpxSideFile(const GPSProbe& probe);
void ReadGpxSideFile(const GPSInput& input, GPSData& out);

// A clip's time span in milliseconds since 1970 UTC.
struct ClipSpan {
    int64_t startMs;
    int64_t endMs;
};

// The track points of a GPX text within the first of the spans that holds
// any; every point when spans is empty. Points need a position and a time.
void ReadGpxTrackPoints(ByteSource& source, const std::vector<ClipSpan>& spans, GPSData& out);
