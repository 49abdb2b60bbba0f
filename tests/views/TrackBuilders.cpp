#include "TrackBuilders.h"

#include "GeomTransform.h"

namespace {

constexpr double kLon = 116.4;
constexpr double kLat = 39.9;

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
    // On the central meridian a segment measures its difference in northing.
    GeomTransform meridian;
    meridian.setCenterL(kLon);
    double northing = meridian.getGaussX(kLon, kLat), time = 0;
    auto track = std::make_shared<GPSTrack>();
    track->addPoint(kLat, kLon, time, 0, 0, 0, speed);
    for (const double metres : segmentMetres) {
        northing += metres;
        time += 1000;
        track->addPoint(meridian.getLat(northing, 0), kLon, time, 0, 0, 0, speed);
    }
    track->buildSpeed();
    return track;
}
