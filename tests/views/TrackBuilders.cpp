#include "TrackBuilders.h"

#include "GeomTransform.h"

namespace {

constexpr double kLon = 116.4;
constexpr double kLat = 39.9;

// Latitude north of lat whose segment from lat measures metres.
double latitudeAfter(double lat, double metres) {
    GeomTransform transform;
    double low = lat;
    double high = lat + 1.0;  // about 111 km
    for (int i = 0; i < 80; ++i) {
        const double middle = (low + high) / 2;
        (transform.getDistance(kLon, middle, kLon, lat) < metres ? low : high) = middle;
    }
    return high;
}

}  // namespace

std::shared_ptr<GPSTrack> GSensorTrack(const std::vector<GSample>& samples) {
    auto track = std::make_shared<GPSTrack>();
    double time = 0;
    for (const GSample& sample : samples) {
        track->addPoint(kLat, kLon, time, sample[0], sample[1], sample[2], 0);
        time += 1000;
    }
    track->buildSpeed();
    return track;
}

std::shared_ptr<GPSTrack> DistanceTrack(const std::vector<double>& segmentMetres, double speed) {
    auto track = std::make_shared<GPSTrack>();
    double lat = kLat;
    double time = 0;
    track->addPoint(lat, kLon, time, 0, 0, 0, speed);
    for (const double metres : segmentMetres) {
        lat = latitudeAfter(lat, metres);
        time += 1000;
        track->addPoint(lat, kLon, time, 0, 0, 0, speed);
    }
    track->buildSpeed();
    return track;
}
