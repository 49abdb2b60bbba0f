#pragma once

#include "GPSTrack.h"
#include "MapProvider.h"

#include <QJsonArray>

#include <optional>

// What one timer tick sends on: the marker's arguments for the map page and
// the time for the instruments.
struct PlaybackTick {
    QJsonArray markerArgs;
    float viewTime = 0;  // the playback time itself, also past the track's ends
};

// The tick for playback time t (ms). None without a track, for an empty one,
// and for a time that is not a finite number, which would otherwise spread
// through the lookup into the map and the charts.
std::optional<PlaybackTick> PlaybackTickAt(GPSTrack* track, double t, const MapProvider& provider);
