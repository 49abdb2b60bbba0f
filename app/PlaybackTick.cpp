#include "PlaybackTick.h"

#include "MapCalls.h"

#include <cmath>

std::optional<PlaybackTick> PlaybackTickAt(GPSTrack* track, double t, const MapProvider& provider) {
    if (!track || !std::isfinite(t)) return std::nullopt;
    GPSPoint point = GPSPoint::point();
    if (!track->getPoint(t, point)) return std::nullopt;
    return PlaybackTick{TickPositionArgs(point, provider), static_cast<float>(t)};
}
