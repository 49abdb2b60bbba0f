#include "GSensorEvents.h"

#include <gtest/gtest.h>

#include <cmath>
#include <map>

namespace {

struct Reading {
    int16_t x, y, z;
};

// A drive at rest (1 g down on Z) every 500 ms for 20 s, with the readings
// given replacing the resting ones at their times.
std::vector<GPSPoint> Drive(const std::map<int, Reading>& jolts) {
    std::vector<GPSPoint> points;
    for (int ms = 0; ms <= 20000; ms += 500) {
        const auto jolt = jolts.find(ms);
        const Reading r = jolt == jolts.end() ? Reading{0, 0, 100} : jolt->second;
        points.push_back(GPSPoint::pointWithLat(50, 10, ms, r.x, r.y, r.z, 40));
    }
    return points;
}

TEST(GSensorEvents, PeaksAboveTheThresholdMergedWithinTwoSeconds) {
    const struct {
        std::string name;
        std::vector<GPSPoint> points;
        double threshold;
        std::vector<std::pair<double, double>> expected;  // time, magnitude
    } cases[] = {
        {"no data", {}, 0.1, {}},
        {"at the threshold", Drive({{3000, {0, 0, 150}}}), 0.5, {}},
        {"just above it", Drive({{3000, {0, 0, 150}}}), 0.49, {{3000, 0.5}}},
        {"braking reads negative", Drive({{5000, {-60, 0, 180}}}), 0.5, {{5000, 1.0}}},
        {"one jolt, strongest moment kept", Drive({{10000, {0, 60, 100}}, {11500, {0, -90, 100}}, {13000, {70, 0, 100}}}),
         0.5, {{11500, 0.9}}},
        {"two jolts two seconds apart", Drive({{4000, {0, 0, 200}}, {6000, {0, 0, 300}}}), 0.5, {{4000, 1.0}, {6000, 2.0}}},
    };
    for (const auto& c : cases) {
        std::vector<std::pair<double, double>> found;
        // Rounded to a millionth of a g, so that the comparison is exact.
        for (const GSensorEvent& e : FindGSensorEvents(c.points, c.threshold))
            found.emplace_back(e.time, std::round(e.magnitude * 1e6) / 1e6);
        EXPECT_EQ(found, c.expected) << c.name;
    }
}

}  // namespace
