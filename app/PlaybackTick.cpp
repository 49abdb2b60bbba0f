#include "PlaybackTick.h"

#include "MapCalls.h"

#include <cmath>

std::optional<PlaybackTick> PlaybackTickAt(GPSTrack* track, double t, bool baiduPage) {
    if (!track || !std::isfinite(t)) return std::nullopt;
    GPSPoint point = GPSPoint::point();
    if (!track->getPoint(t, point)) return std::nullopt;
    return PlaybackTick{TickPositionArgs(point, baiduPage), static_cast<float>(t)};
}
