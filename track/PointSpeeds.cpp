#include "PointSpeeds.h"

#include <algorithm>

std::vector<double> PointSpeeds(const GPSTrack& track) {
    const std::vector<GPSPoint>& points = track.pointArray();
    std::vector<double> speeds;
    speeds.reserve(points.size());
    const bool recorded = std::any_of(points.begin(), points.end(), [](const GPSPoint& p) { return p.speed > 0; });
    for (size_t i = 0; i < points.size(); ++i) {
        if (recorded) {
            speeds.push_back(points[i].speed);
            continue;
        }
        const double elapsedMs = i > 0 ? points[i].time - points[i - 1].time : 0;
        // One metre per millisecond is 3600 km/h; two fixes at one instant keep the speed before.
        speeds.push_back(elapsedMs > 0 ? (points[i].distFromSrc - points[i - 1].distFromSrc) * 3600.0 / elapsedMs
                                       : (i > 0 ? speeds.back() : 0.0));
    }
    // The first point has no stretch before it: it goes as fast as the next.
    if (!recorded && speeds.size() > 1) speeds[0] = speeds[1];
    return speeds;
}
