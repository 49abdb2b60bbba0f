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

TEST(GPSTrackBuild, OnePointHasNoDistanceAndItsOwnSpeed) {
    GPSTrack track;
    track.addPoint(39.9, 116.4, 0, 0, 0, 0, 25.7);
    track.buildSpeed();
    EXPECT_EQ(track.getTotalDist(), 0);
    EXPECT_EQ(track.getMaxSpeed(), 25);
    EXPECT_EQ(track.getMinSpeed(), 25);
    EXPECT_EQ(track.getAvgSpeed(), 0);
    EXPECT_EQ(track.pointArray()[0].distFromSrc, 0);
    EXPECT_EQ(track.pointArray()[0].distToDes, 0);
}

TEST(GPSTrackBuild, SpeedFigures) {
    GPSTrack track;
    // 111.321 m along the equator in 10 s: 40.07 km/h on average.
    track.addPoint(0, 0, 0, 0, 0, 0, 30);
    track.addPoint(0, 0.0005, 5000, 0, 0, 0, 55.9);
    track.addPoint(0, 0.001, 10000, 0, 0, 0, 12.4);
    track.buildSpeed();
    EXPECT_EQ(track.getTotalDist(), 111);
    EXPECT_EQ(track.getMaxSpeed(), 55);
    // The lowest speed of the drive, the last point's included.
    EXPECT_EQ(track.getMinSpeed(), 12);
    EXPECT_EQ(track.getAvgSpeed(), 40);
    // buildSpeed computes figures, never a point's speed.
    EXPECT_EQ(track.pointArray()[1].speed, 55.9);
}

TEST(GPSTrackBuild, SideFileSpeedsOfZeroAndEqualEndTimes) {
    GPSTrack track;
    track.addPoint(39.9, 116.4, 3000, 0, 0, 0, 0);
    track.addPoint(39.9, 116.41, 3000, 0, 0, 0, 0);
    track.buildSpeed();
    EXPECT_EQ(track.getMaxSpeed(), 0);
    EXPECT_EQ(track.getMinSpeed(), 0);
    EXPECT_EQ(track.getTotalDist(), 855);
    EXPECT_EQ(track.getAvgSpeed(), 0);
}

TEST(GPSTrackBuild, PointsAddedAfterwardsWaitForTheNextBuild) {
    GPSTrack track;
    track.addPoint(39.9, 116.4, 0, 0, 0, 0, 10);
    track.addPoint(39.9, 116.41, 1000, 0, 0, 0, 20);
    track.buildSpeed();
    const int32_t total = track.getTotalDist();

    track.addPoint(39.91, 116.41, 2000, 0, 0, 0, 90);
    EXPECT_EQ(track.getTotalDist(), total);
    EXPECT_EQ(track.getMaxSpeed(), 20);
    EXPECT_EQ(track.pointArray()[2].distFromSrc, 0);
    EXPECT_EQ(track.pointArray()[2].distToDes, 0);

    track.buildSpeed();
    track.buildSpeed();  // a second pass recomputes the same figures
    EXPECT_EQ(track.getTotalDist(), 855 + 1110);
    EXPECT_EQ(track.getMaxSpeed(), 90);
    ExpectBuiltInvariants(track);
}

TEST(GPSTrackBuild, EmptyTrackIsLeftAlone) {
    GPSTrack track;
    EXPECT_TRUE(track.isEmpty());
    track.buildSpeed();
    EXPECT_TRUE(track.isEmpty());
    EXPECT_EQ(track.getTotalDist(), 0);
    EXPECT_EQ(track.getIndex(0), -1);
}

}  // namespace
