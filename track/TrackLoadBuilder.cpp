#include "TrackLoadBuilder.h"

TrackLoadBuilder::TrackLoadBuilder(TrackSource source) {
    load.track = std::make_shared<GPSTrack>();
    load.source = source;
}

void TrackLoadBuilder::setStart(TimePoint date) {
    load.hasStartTime = true;
    load.track->setStartTime(date);
}

double TrackLoadBuilder::nextPointTime(std::optional<TimePoint> date) const {
    const auto& points = load.track->pointArray();
    if (!date || !load.hasStartTime) return points.empty() ? 0.0 : points.back().time;
    // Milliseconds on both sides: subtracting the nanosecond counts could overflow
    // for dates centuries apart.
    using std::chrono::duration_cast;
    using std::chrono::milliseconds;
    const auto from = duration_cast<milliseconds>(load.track->getStartTime().time_since_epoch());
    const auto to = duration_cast<milliseconds>(date->time_since_epoch());
    return static_cast<double>((to - from).count());
}

void TrackLoadBuilder::addPoint(double lat, double lon, std::optional<TimePoint> date, int16_t x,
                                int16_t y, int16_t z, double speed) {
    addPointAt(lat, lon, nextPointTime(date), x, y, z, speed);
}

void TrackLoadBuilder::addPointAt(double lat, double lon, double time, int16_t x, int16_t y, int16_t z,
                                  double speed) {
    if (!IsPositionOnEarth(lat, lon)) return;
    load.lineArray.push_back(lat);
    load.lineArray.push_back(lon);
    if (!load.firstPoint) load.firstPoint = LatLon{lat, lon};
    load.track->addPoint(lat, lon, time, x, y, z, speed);
}

TrackLoad TrackLoadBuilder::finish() {
    if (!load.track->isEmpty()) load.track->buildSpeed();
    return std::move(load);
}
