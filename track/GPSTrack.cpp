#include "GPSTrack.h"

#include "CutToInt.h"

#include <algorithm>

GPSTrack::GPSTrack() : startTime(std::chrono::system_clock::now()) {}

void GPSTrack::addPoint(double lat, double lon, double time, int16_t x, int16_t y, int16_t z,
                        double speed) {
    points.push_back(GPSPoint::pointWithLat(lat, lon, time, x, y, z, speed));
}

void GPSTrack::buildSpeed() {
    if (points.empty()) return;
    const size_t n = points.size();
    maxSpeed = points[0].speed;
    minSpeed = points[0].speed;
    totalDist = 0;
    for (size_t i = 1; i < n; ++i) {
        GPSPoint& cur = points[i];
        const GPSPoint& prev = points[i - 1];
        if (cur.speed > maxSpeed) maxSpeed = cur.speed;
        // Every point is a candidate, the last one included: the lowest speed of the drive.
        minSpeed = std::min(minSpeed, cur.speed);
        totalDist += distTransformer.getDistance(cur.lon, cur.lat, prev.lon, prev.lat);
        cur.distFromSrc = CutToInt32(totalDist);
    }
    for (GPSPoint& p : points) p.distToDes = CutToInt32(totalDist - p.distFromSrc);

    const double duration = points[n - 1].time - points[0].time;
    avgSpeed = duration > 0 ? totalDist * 3600 / duration : 0;
    // Somewhere on the drive the vehicle went at least its average speed:
    // recorded speeds that fall short of it (a camera that stores none, or
    // stores them in other units) do not make the maximum the lesser figure.
    maxSpeed = std::max(maxSpeed, avgSpeed);
}

int32_t GPSTrack::getTotalDist() const { return CutToInt32(totalDist); }
int32_t GPSTrack::getMaxSpeed() const { return CutToInt32(maxSpeed); }
int32_t GPSTrack::getMinSpeed() const { return CutToInt32(minSpeed); }
int32_t GPSTrack::getAvgSpeed() const { return CutToInt32(avgSpeed); }
