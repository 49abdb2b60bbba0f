#include "GPSTrack.h"
#include "GeomTransform.h"

#include <gtest/gtest.h>

#include <random>

namespace {

// Checks everything buildSpeed promises about a track it has just built.
void ExpectBuiltInvariants(const GPSTrack& track) {
    const auto& points = track.pointArray();
    ASSERT_FALSE(points.empty());
    EXPECT_EQ(points.front().distFromSrc, 0);
    EXPECT_EQ(points.back().distToDes, 0);
    GeomTransform reference;
    double total = 0;
    for (size_t i = 0; i < points.size(); ++i) {
        if (i > 0) {
            total += reference.getDistance(points[i].lon, points[i].lat, points[i - 1].lon,
                                           points[i - 1].lat);
            EXPECT_EQ(points[i].distFromSrc, static_cast<int32_t>(total)) << "point " << i;
            EXPECT_GE(points[i].distFromSrc, points[i - 1].distFromSrc);
            EXPECT_LE(points[i].distToDes, points[i - 1].distToDes);
        }
        EXPECT_EQ(points[i].distFromSrc + points[i].distToDes, track.getTotalDist()) << "point " << i;
    }
    EXPECT_EQ(track.getTotalDist(), static_cast<int32_t>(total));
}

TEST(GPSTrackBuild, RandomDrivesKeepTheDistanceInvariants) {
    std::mt19937 random(7);
    std::uniform_real_distribution<double> step(-0.002, 0.002);
    for (int drive = 0; drive < 20; ++drive) {
        GPSTrack track;
        double lat = 22.5, lon = 113.9;
        const int n = 2 + drive * 37;
        for (int i = 0; i < n; ++i) {
            // Every fifth point stands still: a segment of length 0.
            if (i % 5 != 4) {
                lat += step(random);
                lon += step(random);
            }
            track.addPoint(lat, lon, i * 1000.0, 0, 0, 0, 30 + i % 7);
        }
        track.buildSpeed();
        ExpectBuiltInvariants(track);
        const auto& points = track.pointArray();
        for (size_t i = 4; i < points.size(); i += 5)
            EXPECT_EQ(points[i].distFromSrc, points[i - 1].distFromSrc);
    }
}

TEST(GPSTrackBuild, WorkedFigures) {
    struct Point { double lat, lon, time, speed; };
    const struct { const char* what; std::vector<Point> points; int total, max, min, avg; } cases[] = {
        {"one point: no distance, its own speed", {{39.9, 116.4, 0, 25.7}}, 0, 25, 25, 0},
        // 111.321 m along the equator in 10 s: 40.07 km/h; the lowest speed is the last point's.
        {"equator", {{0, 0, 0, 30}, {0, 0.0005, 5000, 55.9}, {0, 0.001, 10000, 12.4}}, 111, 55, 12, 40},
        {"side file: speeds of zero, equal end times", {{39.9, 116.4, 3000, 0}, {39.9, 116.41, 3000, 0}},
         855, 0, 0, 0},
        // Positions and recorded speeds that disagree: the maximum is at least the average.
        {"speeds of zero over 10 s", {{0, 0, 0, 0}, {0, 0.001, 10000, 0}}, 111, 40, 0, 40},
        {"time running backwards", {{0, 0, 10000, 5}, {0, 0.001, 0, 5}}, 111, 5, 5, 0},
    };
    for (const auto& c : cases) {
        GPSTrack track;
        for (const Point& p : c.points) track.addPoint(p.lat, p.lon, p.time, 0, 0, 0, p.speed);
        track.buildSpeed();
        EXPECT_EQ(track.getTotalDist(), c.total) << c.what;
        EXPECT_EQ(track.getMaxSpeed(), c.max) << c.what;
        EXPECT_EQ(track.getMinSpeed(), c.min) << c.what;
        EXPECT_EQ(track.getAvgSpeed(), c.avg) << c.what;
        ExpectBuiltInvariants(track);
        // buildSpeed computes figures, never a point's speed.
        EXPECT_EQ(track.pointArray().back().speed, c.points.back().speed) << c.what;
    }
    GPSTrack empty;
    empty.buildSpeed();
    EXPECT_TRUE(empty.isEmpty());
    EXPECT_EQ(empty.getTotalDist(), 0);
}

TEST(GPSTrackBuild, PointsAddedAfterwardsWaitForTheNextBuild) {
    GPSTrack track;
    track.addPoint(39.9, 116.4, 0, 0, 0, 0, 10);
    track.addPoint(39.9, 116.41, 100000, 0, 0, 0, 40);
    track.buildSpeed();
    const int32_t total = track.getTotalDist();
    track.addPoint(39.91, 116.41, 200000, 0, 0, 0, 90);
    EXPECT_EQ(track.getTotalDist(), total);
    EXPECT_EQ(track.getMaxSpeed(), 40);
    EXPECT_EQ(track.pointArray()[2].distFromSrc, 0);
    EXPECT_EQ(track.pointArray()[2].distToDes, 0);
    track.buildSpeed();
    track.buildSpeed();  // a second pass recomputes the same figures
    EXPECT_EQ(track.getTotalDist(), 855 + 1110);
    EXPECT_EQ(track.getMaxSpeed(), 90);
    ExpectBuiltInvariants(track);
}

}  // namespace
