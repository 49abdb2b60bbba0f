#include "TrackLoadBuilder.h"

namespace {

constexpr double kMillisecondsPerSecond = 1000.0;

}  // namespace

TrackLoadBuilder::TrackLoadBuilder(TrackSource source) {
    load.track = std::make_shared<GPSTrack>();
    load.source = source;
}

void TrackLoadBuilder::setStart(TimePoint date) {
    load.hasStartTime = true;
    load.track->setStartTime(date);
}

void TrackLoadBuilder::addPoint(double lat, double lon, std::optional<TimePoint> date, int16_t x,
                                int16_t y, int16_t z, double speed) {
    if (!IsPositionOnEarth(lat, lon)) return;
    const auto& points = load.track->pointArray();
    double time = points.empty() ? 0.0 : points.back().time;
    if (date && load.hasStartTime) {
        // Whole seconds on both sides: subtracting the nanosecond counts could overflow
        // for dates centuries apart.
        using std::chrono::duration_cast;
        using std::chrono::seconds;
        const auto from = duration_cast<seconds>(load.track->getStartTime().time_since_epoch());
        const auto to = duration_cast<seconds>(date->time_since_epoch());
        time = static_cast<double>((to - from).count()) * kMillisecondsPerSecond;
    }
    load.lineArray.push_back(lat);
    load.lineArray.push_back(lon);
    if (!load.firstPoint) load.firstPoint = LatLon{lat, lon};
    load.track->addPoint(lat, lon, time, x, y, z, speed);
}

TrackLoad TrackLoadBuilder::finish() {
    if (!load.track->isEmpty()) load.track->buildSpeed();
    return std::move(load);
}
