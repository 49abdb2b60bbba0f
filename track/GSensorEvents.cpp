#include "GSensorEvents.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace {

constexpr double kHundredthsPerG = 100;

double Median(const std::vector<GPSPoint>& points, int16_t GPSPoint::*axis) {
    std::vector<int16_t> values;
    values.reserve(points.size());
    for (const GPSPoint& point : points) values.push_back(point.*axis);
    const auto middle = values.begin() + static_cast<std::ptrdiff_t>(values.size() / 2);
    std::nth_element(values.begin(), middle, values.end());
    return *middle;
}

}  // namespace

std::vector<GSensorEvent> FindGSensorEvents(const std::vector<GPSPoint>& points, double thresholdG,
                                            double mergeMs) {
    std::vector<GSensorEvent> events;
    if (points.empty()) return events;
    const double restX = Median(points, &GPSPoint::gsX);
    const double restY = Median(points, &GPSPoint::gsY);
    const double restZ = Median(points, &GPSPoint::gsZ);
    double lastPeak = 0;
    for (const GPSPoint& point : points) {
        const double magnitude =
            std::hypot(point.gsX - restX, point.gsY - restY, point.gsZ - restZ) / kHundredthsPerG;
        if (!(magnitude > thresholdG)) continue;
        // A clock that steps back is not a second reading of the same jolt.
        const bool sameJolt = !events.empty() && point.time >= lastPeak && point.time - lastPeak < mergeMs;
        lastPeak = point.time;
        if (!sameJolt) {
            events.push_back({point.time, magnitude});
        } else if (magnitude > events.back().magnitude) {
            events.back() = {point.time, magnitude};
        }
    }
    return events;
}
