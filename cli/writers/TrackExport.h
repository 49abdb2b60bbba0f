#pragma once

#include "TrackLoader.h"

#include <optional>
#include <string>

// What the GPX and GeoJSON writers need besides the track.
struct TrackExportInfo {
    std::string name;          // the input's file name, the track's title
    int utcOffsetMinutes = 0;  // how far the camera's clock runs ahead of UTC
};

// A position a map can place: finite, latitude within +-90, longitude within +-180.
bool IsMappable(const GPSPoint& point);

// Longitude in [-180, 180): 180 and -180 are the same meridian.
double WrapLongitude(double lon);

// Shortest decimal that reads back to the same double, never with an exponent.
std::string FormatDecimal(double value);

// The UTC instant of a point time, "2015-06-15T12:00:05Z" (milliseconds only
// when there are some): the track's recorded start clock plus the point time,
// less the camera's offset from UTC. None when the track has no start time or
// the instant is not a number or has no four-digit year.
std::optional<std::string> UtcTimeText(const TrackLoad& load, double pointTimeMs,
                                       int utcOffsetMinutes);

// "side file" or "embedded".
const char* SourceName(TrackSource source);
